// The window's state, which only app/ reads and writes: the samples, the menu
// selections and the scale labels derived from them, and the cursors. Every
// output gets it as a Picture (CurrentPicture), never from here.
#pragma once

#include <optional>

#include "app/view_commands.h"
#include "display/picture.h"
#include "scope/cursors.h"
#include "scope/display_settings.h"
#include "scope/waveform_store.h"

namespace vexal {

// Zeros with both flags 0 until the window fills it; the read-out workers write
// it through its lock.
WaveformStore& TheWaveformStore();
// Used on the window thread only.
DisplaySettings& TheDisplaySettings();
ScaleLabels& TheScaleLabels();
Cursors& TheCursors();
// The choices of the menu "Ansicht", and the reference kept; window thread only.
ViewState& TheView();
std::optional<ReferenceTrace>& TheReference();
// What the items of "Ansicht" depend on, now.
ViewData CurrentViewData();

// Recomputes TheScaleLabels() from TheDisplaySettings(): when the window is made, after
// every settings command and before every paint. A command that arrives before the
// repaint (a copy, the measurements, an export, printing) reads the new labels too.
void UpdateScaleLabels();

// The picture of this moment, for any output but the screen.
Picture CurrentPicture();
// The same for the screen, at its dots per inch.
Picture ScreenPicture(int dpi);

// Shows a saved text export: its samples replace the store's, as a read-out's would.
// nullptr, or the error box's text (the store then stays as it was).
const char* OpenSavedExport(const wchar_t* path);

}  // namespace vexal
