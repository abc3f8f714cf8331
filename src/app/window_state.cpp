#include "app/window_state.h"

#include "output/saved_export_file.h"
#include "output/text_import.h"

namespace vexal {

WaveformStore& TheWaveformStore() {
  static WaveformStore store;
  return store;
}

DisplaySettings& TheDisplaySettings() {
  static DisplaySettings settings;
  return settings;
}

ScaleLabels& TheScaleLabels() {
  static ScaleLabels labels;
  return labels;
}

Cursors& TheCursors() {
  static Cursors cursors;
  return cursors;
}

ViewState& TheView() {
  static ViewState view;
  return view;
}

std::optional<ReferenceTrace>& TheReference() {
  static std::optional<ReferenceTrace> reference;
  return reference;
}

ViewData CurrentViewData() {
  const WaveformSnapshot store = TheWaveformStore().Snapshot();
  return {store.hasData[0] != 0 || store.hasData[1] != 0,
          store.hasData[0] != 0 && store.hasData[1] != 0, TheReference().has_value()};
}

void UpdateScaleLabels() {
  TheScaleLabels() = ComputeScaleLabels(TheDisplaySettings());
}

Picture CurrentPicture() {
  // One consistent copy: a read-out may be committing a channel meanwhile.
  Picture picture = {TheWaveformStore().Snapshot(), TheScaleLabels(), TheDisplaySettings().timebase,
                     TheCursors()};
  picture.view = TheView().view;
  picture.spectrum = TheView().spectrum;
  // A channel that lost its data takes X-Y and the math trace away (KeepViewPossible).
  const bool both = picture.traces.hasData[0] != 0 && picture.traces.hasData[1] != 0;
  if (both) picture.math = TheView().math;
  if (!both && picture.view == PictureView::kXy) picture.view = PictureView::kTime;
  picture.reference = TheReference();
  return picture;
}

Picture ScreenPicture(int dpi) {
  Picture picture = CurrentPicture();
  picture.dpi = dpi;
  picture.forScreen = true;
  return picture;
}

const char* OpenSavedExport(const wchar_t* path) {
  SavedExport saved;
  if (const char* error = ReadSavedExport(path, saved)) return error;
  TheWaveformStore().Modify([&](WaveformSnapshot& store) { ApplySavedExport(saved, store); });
  return nullptr;
}

}  // namespace vexal
