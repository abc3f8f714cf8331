// Everything one picture shows, described once: the screen, the metafile, the
// printed page, "Bild kopieren", "Werte kopieren" and "Messungen" are each
// drawn or written from such a description, which the window builds from its
// state. The renderers read nothing else; a new view or overlay is a field here
// and a renderer.
#pragma once

#include <optional>

#include "resource.h"
#include "scope/cursors.h"
#include "scope/display_settings.h"
#include "scope/frequency_levels.h"
#include "scope/math_trace.h"
#include "scope/reference_trace.h"
#include "scope/waveform_store.h"

namespace vexal {

// What the plot shows: the traces over time, each channel's spectrum, or channel 2
// over channel 1.
enum class PictureView { kTime, kSpectrum, kXy };

// How the spectrum view computes and spans its spectra.
struct SpectrumChoice {
  SpectrumWindow window = SpectrumWindow::kHann;
  SpectrumSpan span = SpectrumSpan::kFull;
};

struct Picture {
  WaveformSnapshot traces{};  // the samples and their has-data flags
  ScaleLabels labels{};
  int timebaseId = IDM_TB_100MS;
  Cursors cursors{};
  // The screen's dots per inch; every other output draws at 96.
  int dpi = 96;
  // The screen shows which cursor the keys move; every other output draws both alike.
  bool forScreen = false;
  PictureView view = PictureView::kTime;
  SpectrumChoice spectrum{};
  // The math trace of both channels, while one is chosen: only while both have data (a
  // channel that loses its data takes it away).
  std::optional<MathOperation> math{};
  // The traces kept to compare with, shown under the live ones.
  std::optional<ReferenceTrace> reference{};
};

// How an output that asks the user first (a save or print dialog) gets its
// picture: built when the dialog has closed, from the state of that moment.
using PictureSource = Picture (*)();

}  // namespace vexal
