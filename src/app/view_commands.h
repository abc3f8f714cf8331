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
};

// Each item belongs to one radio group, whose items have consecutive identifiers.
enum class ViewGroup { kView, kWindow, kSpan };

struct ViewCommand {
  int id;
  ViewGroup group;
  int choice;  // the PictureView, SpectrumWindow or SpectrumSpan it chooses
};

// The command of an identifier of "Ansicht", or nullptr.
const ViewCommand* FindViewCommand(int id);

// The first and last identifier of a group, and the one its mark is on for `state`.
struct ViewGroupMarks {
  int first;
  int last;
  int checked;
};
ViewGroupMarks ViewMarks(const ViewState& state, ViewGroup group);

// Whether the item can act: the spectrum needs a channel with data; the windows and
// spans act on the spectrum only.
bool ViewCommandEnabled(const ViewCommand& command, const ViewState& state, bool anyData);

// Makes the command's choice; false (and nothing changed) where it cannot act.
bool ApplyViewCommand(ViewState& state, const ViewCommand& command, bool anyData);

}  // namespace vexal
