#include "app/menu_commands.h"

#include <array>

#include "resource.h"

namespace vexal {
namespace {

using enum MenuAction;

constexpr MenuCommand Plain(int id, MenuAction action) {
  return {id, action, nullptr};
}
constexpr MenuCommand Select(int id, int DisplaySettings::*field) {
  return {id, kSelect, field};
}
constexpr MenuCommand Toggle(int id, int DisplaySettings::*flag) {
  return {id, kToggleGain, flag};
}

constexpr auto kTimebase = &DisplaySettings::timebase;
constexpr auto kCh1Volts = &DisplaySettings::ch1VoltsPerDiv;
constexpr auto kCh2Volts = &DisplaySettings::ch2VoltsPerDiv;
constexpr auto kCh1Probe = &DisplaySettings::ch1Probe;
constexpr auto kCh2Probe = &DisplaySettings::ch2Probe;

// Identifiers do not follow the menu order ("2V" is 6032 on channel 1 but 6025
// on channel 2): every entry names its own.
constexpr std::array<MenuCommand, IDM_LAST - IDM_FIRST + 1> kMenuCommands = {{
    // "Datei"
    Plain(IDM_EXPORT_TEXT, kExportText),
    Plain(IDM_EXPORT_METAFILE, kExportMetafile),
    Plain(IDM_PRINT, kPrint),
    Plain(IDM_EXIT, kQuit),
    // "Kanal 1"
    Select(IDM_CH1_20V, kCh1Volts),
    Select(IDM_CH1_10V, kCh1Volts),
    Select(IDM_CH1_5V, kCh1Volts),
    Select(IDM_CH1_2V, kCh1Volts),
    Select(IDM_CH1_1V, kCh1Volts),
    Select(IDM_CH1_500MV, kCh1Volts),
    Select(IDM_CH1_200MV, kCh1Volts),
    Select(IDM_CH1_100MV, kCh1Volts),
    Select(IDM_CH1_50MV, kCh1Volts),
    Select(IDM_CH1_20MV, kCh1Volts),
    Select(IDM_CH1_10MV, kCh1Volts),
    Select(IDM_CH1_5MV, kCh1Volts),
    Select(IDM_CH1_PROBE_1, kCh1Probe),
    Select(IDM_CH1_PROBE_10, kCh1Probe),
    Select(IDM_CH1_PROBE_100, kCh1Probe),
    Toggle(IDM_CH1_GAIN5, &DisplaySettings::ch1Gain5),
    // "Kanal 2"
    Select(IDM_CH2_20V, kCh2Volts),
    Select(IDM_CH2_10V, kCh2Volts),
    Select(IDM_CH2_5V, kCh2Volts),
    Select(IDM_CH2_2V, kCh2Volts),
    Select(IDM_CH2_1V, kCh2Volts),
    Select(IDM_CH2_500MV, kCh2Volts),
    Select(IDM_CH2_200MV, kCh2Volts),
    Select(IDM_CH2_100MV, kCh2Volts),
    Select(IDM_CH2_50MV, kCh2Volts),
    Select(IDM_CH2_20MV, kCh2Volts),
    Select(IDM_CH2_10MV, kCh2Volts),
    Select(IDM_CH2_5MV, kCh2Volts),
    Select(IDM_CH2_PROBE_1, kCh2Probe),
    Select(IDM_CH2_PROBE_10, kCh2Probe),
    Select(IDM_CH2_PROBE_100, kCh2Probe),
    Toggle(IDM_CH2_GAIN5, &DisplaySettings::ch2Gain5),
    // "Zeitbasis"
    Select(IDM_TB_50S, kTimebase),
    Select(IDM_TB_20S, kTimebase),
    Select(IDM_TB_10S, kTimebase),
    Select(IDM_TB_5S, kTimebase),
    Select(IDM_TB_2S, kTimebase),
    Select(IDM_TB_1S, kTimebase),
    Select(IDM_TB_500MS, kTimebase),
    Select(IDM_TB_200MS, kTimebase),
    Select(IDM_TB_100MS, kTimebase),
    Select(IDM_TB_50MS, kTimebase),
    Select(IDM_TB_20MS, kTimebase),
    Select(IDM_TB_10MS, kTimebase),
    Select(IDM_TB_5MS, kTimebase),
    Select(IDM_TB_2MS, kTimebase),
    Select(IDM_TB_1MS, kTimebase),
    Select(IDM_TB_500US, kTimebase),
    Select(IDM_TB_200US, kTimebase),
    Select(IDM_TB_100US, kTimebase),
    Select(IDM_TB_50US, kTimebase),
    Select(IDM_TB_20US, kTimebase),
    Select(IDM_TB_10US, kTimebase),
    Select(IDM_TB_5US, kTimebase),
    // "Interface"
    Plain(IDM_READ_DIRECT, kReadDirect),
    Plain(IDM_READ_EEPROM, kReadEeprom),
    Plain(IDM_PORT_SETTINGS, kPortDialog),
    // "Info"
    Plain(IDM_ABOUT, kAbout),
}};

}  // namespace

std::span<const MenuCommand> MenuCommands() {
  return kMenuCommands;
}

const MenuCommand* FindMenuCommand(int id) {
  for (const MenuCommand& command : kMenuCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

CheckMarkChange ApplySettingsCommand(DisplaySettings& settings, const MenuCommand& command) {
  switch (command.action) {
    case kSelect: {
      int& selection = settings.*command.field;
      const CheckMarkChange change{selection, command.id};
      selection = command.id;
      return change;
    }
    case kToggleGain: {
      int& flag = settings.*command.field;
      flag = flag == 0 ? 1 : 0;
      return flag != 0 ? CheckMarkChange{0, command.id} : CheckMarkChange{command.id, 0};
    }
    default:
      return {};
  }
}

}  // namespace vexal
