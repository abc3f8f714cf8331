// The menu "Ansicht" as plain data: which view the plot shows and how the spectrum is
// computed, and which of its items can act. The Win32 half (view_menu.cpp) greys the
// items, moves their marks and repaints.
#pragma once

#include "display/picture.h"

namespace vexal {

// The window's choices of "Ansicht"; nothing of it is saved.
struct ViewState {
  PictureView view = PictureView::kTime;
  SpectrumChoice spectrum;
  std::optional<MathOperation> math;
};

// What the items depend on: the channels the time view draws, and a reference shown.
struct ViewData {
  bool anyChannel = false;
  bool bothChannels = false;
  bool reference = false;
};

// From the traces the time view draws and whether a reference is shown.
ViewData ViewDataOf(const WaveformSnapshot& traces, bool reference);

// The views, windows and spans are radio groups, whose items have consecutive
// identifiers; the math items check items, at most one checked; the reference's items
// commands.
enum class ViewGroup { kView, kWindow, kSpan, kMath, kReference };

struct ViewCommand {
  int id;
  ViewGroup group;
  int choice;  // the PictureView, SpectrumWindow, SpectrumSpan, MathOperation it chooses
};

// The reference's commands.
enum ReferenceChoice : int { kLoadReference, kTakeReference, kRemoveReference };

// The command of an identifier of "Ansicht", or nullptr.
const ViewCommand* FindViewCommand(int id);

// The first and last identifier of a group, and the one its mark is on for `state`.
struct ViewGroupMarks {
  int first;
  int last;
  int checked;
};
ViewGroupMarks ViewMarks(const ViewState& state, ViewGroup group);

// Whether the item can act: the spectrum and taking the traces as the reference need a
// channel with data, X-Y and the math traces both channels; the windows and spans act on
// the spectrum only; only a reference shown can be removed.
bool ViewCommandEnabled(const ViewCommand& command, const ViewState& state, const ViewData& data);

// Makes the choice of a view, window, span or math item (the checked math item again
// unchecks it); false (and nothing changed) where it cannot act or is a reference command.
bool ApplyViewCommand(ViewState& state, const ViewCommand& command, const ViewData& data);

// Whether the math item is checked.
bool MathChecked(const ViewState& state, const ViewCommand& command);

// The state as it can be drawn: X-Y and the math trace need both channels; without them
// the time view, and no math trace.
ViewState PossibleView(ViewState state, const ViewData& data);

// A channel lost its data while X-Y or a math trace was on: back to the time view without
// it. True when that changed the state.
bool KeepViewPossible(ViewState& state, const ViewData& data);

}  // namespace vexal
