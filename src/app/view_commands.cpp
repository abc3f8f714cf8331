#include "app/view_commands.h"

#include "resource.h"

namespace vexal {
namespace {

using enum ViewGroup;

constexpr ViewCommand kViewCommands[] = {
    {IDM_VIEW_TIME, kView, static_cast<int>(PictureView::kTime)},
    {IDM_VIEW_SPECTRUM, kView, static_cast<int>(PictureView::kSpectrum)},
    {IDM_WINDOW_HANN, kWindow, static_cast<int>(SpectrumWindow::kHann)},
    {IDM_WINDOW_FLATTOP, kWindow, static_cast<int>(SpectrumWindow::kFlatTop)},
    {IDM_WINDOW_RECTANGLE, kWindow, static_cast<int>(SpectrumWindow::kRectangle)},
    {IDM_SPAN_100, kSpan, static_cast<int>(SpectrumSpan::kFull)},
    {IDM_SPAN_25, kSpan, static_cast<int>(SpectrumSpan::kQuarter)},
    {IDM_SPAN_5, kSpan, static_cast<int>(SpectrumSpan::kTwentieth)},
};

int ChoiceOf(const ViewState& state, ViewGroup group) {
  switch (group) {
    case kView:
      return static_cast<int>(state.view);
    case kWindow:
      return static_cast<int>(state.spectrum.window);
    case kSpan:
      return static_cast<int>(state.spectrum.span);
  }
  return 0;
}

}  // namespace

const ViewCommand* FindViewCommand(int id) {
  for (const ViewCommand& command : kViewCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

ViewGroupMarks ViewMarks(const ViewState& state, ViewGroup group) {
  ViewGroupMarks marks = {0, 0, 0};
  for (const ViewCommand& command : kViewCommands) {
    if (command.group != group) continue;
    if (marks.first == 0) marks.first = command.id;
    marks.last = command.id;
    if (command.choice == ChoiceOf(state, group)) marks.checked = command.id;
  }
  return marks;
}

bool ViewCommandEnabled(const ViewCommand& command, const ViewState& state, bool anyData) {
  if (command.group != kView) return state.view == PictureView::kSpectrum;
  return command.choice != static_cast<int>(PictureView::kSpectrum) || anyData;
}

bool ApplyViewCommand(ViewState& state, const ViewCommand& command, bool anyData) {
  if (!ViewCommandEnabled(command, state, anyData)) return false;
  switch (command.group) {
    case kView:
      state.view = static_cast<PictureView>(command.choice);
      break;
    case kWindow:
      state.spectrum.window = static_cast<SpectrumWindow>(command.choice);
      break;
    case kSpan:
      state.spectrum.span = static_cast<SpectrumSpan>(command.choice);
      break;
  }
  return true;
}

}  // namespace vexal
