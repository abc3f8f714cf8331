// What each menu command does, as plain data: the portable half of the menu
// dispatch. The Win32 half (menu_dispatch.cpp) routes the actions to their
// operations and moves the check marks this half computes.
#pragma once

#include <span>

#include "scope/display_settings.h"

namespace vexal {

enum class MenuAction {
  kQuit,
  kExportText,
  kExportMetafile,
  kPrint,
  kReadDirect,  // command byte 'd'
  kReadEeprom,  // command byte 'r'
  kPortDialog,
  kAbout,
  kSelect,      // stores the identifier in one of the five selection fields
  kToggleGain,  // flips one of the two x5 gain flags
};

struct MenuCommand {
  int id;
  MenuAction action;
  // kSelect: the selection field; kToggleGain: the gain flag; otherwise nullptr.
  int DisplaySettings::*field;
};

// All 62 commands, 6001 to 6062, in the order of the menus.
std::span<const MenuCommand> MenuCommands();

// The command of a menu identifier, or nullptr for one outside 6001 to 6062.
const MenuCommand* FindMenuCommand(int id);

// The check marks a settings command moves: the dispatcher clears uncheckId,
// then sets checkId; 0 means no call.
struct CheckMarkChange {
  int uncheckId = 0;
  int checkId = 0;
};

// Applies a kSelect or kToggleGain command to the settings. Re-selecting the
// checked item unchecks and checks it again, so it stays checked. Any other
// action changes nothing and moves no check mark.
CheckMarkChange ApplySettingsCommand(DisplaySettings& settings, const MenuCommand& command);

}  // namespace vexal
