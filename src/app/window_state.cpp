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
  return ViewDataOf(TheWaveformStore().Snapshot(), TheReference().has_value());
}

void UpdateScaleLabels() {
  TheScaleLabels() = ComputeScaleLabels(TheDisplaySettings());
}

Picture CurrentPicture() {
  // One consistent copy: a read-out may be committing a channel meanwhile.
  Picture picture = {TheWaveformStore().Snapshot(), TheScaleLabels(), TheDisplaySettings().timebase,
                     TheCursors()};
  // As the traces of this copy allow, should a read-out have taken a channel away since
  // the window last returned to a possible view.
  const ViewState view = PossibleView(TheView(), ViewDataOf(picture.traces, false));
  picture.view = view.view;
  picture.spectrum = view.spectrum;
  picture.math = view.math;
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
