#include "app/view_commands.h"

#include "resource.h"

namespace vexal {
namespace {

using enum ViewGroup;

constexpr ViewCommand kViewCommands[] = {
    {IDM_VIEW_TIME, kView, static_cast<int>(PictureView::kTime)},
    {IDM_VIEW_SPECTRUM, kView, static_cast<int>(PictureView::kSpectrum)},
    {IDM_VIEW_XY, kView, static_cast<int>(PictureView::kXy)},
    {IDM_WINDOW_HANN, kWindow, static_cast<int>(SpectrumWindow::kHann)},
    {IDM_WINDOW_FLATTOP, kWindow, static_cast<int>(SpectrumWindow::kFlatTop)},
    {IDM_WINDOW_RECTANGLE, kWindow, static_cast<int>(SpectrumWindow::kRectangle)},
    {IDM_SPAN_100, kSpan, static_cast<int>(SpectrumSpan::kFull)},
    {IDM_SPAN_25, kSpan, static_cast<int>(SpectrumSpan::kQuarter)},
    {IDM_SPAN_5, kSpan, static_cast<int>(SpectrumSpan::kTwentieth)},
    {IDM_MATH_SUM, kMath, static_cast<int>(MathOperation::kSum)},
    {IDM_MATH_DIFFERENCE, kMath, static_cast<int>(MathOperation::kDifference)},
    {IDM_REFERENCE_LOAD, kReference, kLoadReference},
    {IDM_REFERENCE_TAKE, kReference, kTakeReference},
    {IDM_REFERENCE_REMOVE, kReference, kRemoveReference},
};

int ChoiceOf(const ViewState& state, ViewGroup group) {
  switch (group) {
    case kView:
      return static_cast<int>(state.view);
    case kWindow:
      return static_cast<int>(state.spectrum.window);
    case kSpan:
      return static_cast<int>(state.spectrum.span);
    case kMath:
      return state.math ? static_cast<int>(*state.math) : -1;
    case kReference:
      break;
  }
  return -1;
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

bool ViewCommandEnabled(const ViewCommand& command, const ViewState& state, const ViewData& data) {
  switch (command.group) {
    case kView:
      switch (static_cast<PictureView>(command.choice)) {
        case PictureView::kSpectrum:
          return data.anyChannel;
        case PictureView::kXy:
          return data.bothChannels;
        case PictureView::kTime:
          return true;
      }
      return false;
    case kWindow:
    case kSpan:
      return state.view == PictureView::kSpectrum;
    case kMath:
      return data.bothChannels;
    case kReference:
      return command.choice == kLoadReference ||
             (command.choice == kTakeReference ? data.anyChannel : data.reference);
  }
  return false;
}

bool MathChecked(const ViewState& state, const ViewCommand& command) {
  return command.group == kMath && ChoiceOf(state, kMath) == command.choice;
}

ViewData ViewDataOf(const WaveformSnapshot& traces, bool reference) {
  return {AnyChannel(traces), BothChannels(traces), reference};
}

ViewState PossibleView(ViewState state, const ViewData& data) {
  if (data.bothChannels) return state;
  if (state.view == PictureView::kXy) state.view = PictureView::kTime;
  state.math.reset();
  return state;
}

bool KeepViewPossible(ViewState& state, const ViewData& data) {
  const ViewState possible = PossibleView(state, data);
  const bool changed = possible.view != state.view || possible.math != state.math;
  state = possible;
  return changed;
}

bool ApplyViewCommand(ViewState& state, const ViewCommand& command, const ViewData& data) {
  if (!ViewCommandEnabled(command, state, data)) return false;
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
    case kMath:
      if (MathChecked(state, command)) {
        state.math.reset();
      } else {
        state.math = static_cast<MathOperation>(command.choice);
      }
      break;
    case kReference:
      return false;
  }
  return true;
}

}  // namespace vexal
