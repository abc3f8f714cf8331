#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "app/menu_commands.h"
#include "display/display_settings.h"
#include "display/timebase_labels.h"
#include "resource.h"

namespace vexal {
namespace {

using enum MenuAction;

std::vector<int> IdsSelecting(int DisplaySettings::*field) {
  std::vector<int> ids;
  for (const MenuCommand& command : MenuCommands()) {
    if (command.action == kSelect && command.field == field) ids.push_back(command.id);
  }
  return ids;
}

TEST(MenuCommands, EveryIdentifierFrom6001To6062HasExactlyOneCommand) {
  std::map<int, int> seen;
  for (const MenuCommand& command : MenuCommands()) ++seen[command.id];
  EXPECT_EQ(seen.size(), 62u);
  for (int id = IDM_FIRST; id <= IDM_LAST; ++id) {
    EXPECT_EQ(seen[id], 1) << id;
    ASSERT_NE(FindMenuCommand(id), nullptr) << id;
    EXPECT_EQ(FindMenuCommand(id)->id, id);
  }
  for (int id : {IDM_FIRST - 1, IDM_LAST + 1, 0}) EXPECT_EQ(FindMenuCommand(id), nullptr);
}

TEST(MenuCommands, OperationsAreRoutedToTheirIdentifiers) {
  const std::map<int, MenuAction> expected = {
      {6052, kQuit},       {6001, kExportText}, {6061, kExportMetafile}, {6050, kPrint},
      {6058, kReadDirect}, {6059, kReadEeprom}, {6060, kPortDialog},     {6062, kAbout},
      {6037, kToggleGain}, {6051, kToggleGain}};
  for (const MenuCommand& command : MenuCommands()) {
    const auto it = expected.find(command.id);
    const MenuAction action = it == expected.end() ? kSelect : it->second;
    EXPECT_EQ(command.action, action) << command.id;
    EXPECT_EQ(command.field == nullptr, action != kSelect && action != kToggleGain) << command.id;
  }
  EXPECT_EQ(FindMenuCommand(6037)->field, &DisplaySettings::ch1Gain5);
  EXPECT_EQ(FindMenuCommand(6051)->field, &DisplaySettings::ch2Gain5);
}

// Each group must hold exactly the identifiers that the scale and timebase tables
// know for that field; an identifier in the wrong group would label the wrong channel.
TEST(MenuCommands, SelectionGroupsMatchTheScaleTables) {
  for (int channel = 0; channel < 2; ++channel) {
    const auto volts = IdsSelecting(channel == 0 ? &DisplaySettings::ch1VoltsPerDiv
                                                 : &DisplaySettings::ch2VoltsPerDiv);
    std::set<std::uint32_t> microvolts;
    for (int id : volts) microvolts.insert(MicrovoltsPerDivision(channel, id));
    EXPECT_EQ(volts.size(), 12u);
    EXPECT_EQ(microvolts.size(), 12u) << "channel " << channel + 1;

    const auto probes =
        IdsSelecting(channel == 0 ? &DisplaySettings::ch1Probe : &DisplaySettings::ch2Probe);
    std::set<std::uint32_t> factors;
    for (int id : probes) factors.insert(ProbeFactor(channel, id));
    EXPECT_EQ(factors, (std::set<std::uint32_t>{1, 10, 100}));
    EXPECT_EQ(probes.size(), 3u);
  }
  const auto timebases = IdsSelecting(&DisplaySettings::timebase);
  EXPECT_EQ(timebases.size(), 22u);
  for (int id : timebases) EXPECT_NE(TimebaseLabel(id), nullptr) << id;
}

TEST(ApplySettingsCommand, SelectionMovesTheCheckMarkWithinItsGroupOnly) {
  DisplaySettings settings;
  CheckMarkChange change = ApplySettingsCommand(settings, *FindMenuCommand(6032));
  EXPECT_EQ(settings.ch1VoltsPerDiv, 6032);  // channel 1's "2V", not 6025
  EXPECT_EQ(settings.ch2VoltsPerDiv, IDM_CH2_1V);
  EXPECT_EQ(change.uncheckId, IDM_CH1_1V);
  EXPECT_EQ(change.checkId, 6032);

  change = ApplySettingsCommand(settings, *FindMenuCommand(IDM_CH1_PROBE_10));
  EXPECT_EQ(change.uncheckId, IDM_CH1_PROBE_1);
  EXPECT_EQ(change.checkId, IDM_CH1_PROBE_10);
  EXPECT_EQ(settings.ch2Probe, IDM_CH2_PROBE_1);

  change = ApplySettingsCommand(settings, *FindMenuCommand(IDM_TB_500US));
  EXPECT_EQ(change.uncheckId, IDM_TB_100MS);
  EXPECT_EQ(settings.timebase, 6017);

  // Reselecting the checked item: unchecked first, checked last, so it stays checked.
  change = ApplySettingsCommand(settings, *FindMenuCommand(IDM_TB_500US));
  EXPECT_EQ(change.uncheckId, IDM_TB_500US);
  EXPECT_EQ(change.checkId, IDM_TB_500US);
}

TEST(ApplySettingsCommand, GainTogglesAndOtherCommandsLeaveTheSettings) {
  DisplaySettings settings;
  const MenuCommand& gain = *FindMenuCommand(IDM_CH2_GAIN5);
  const CheckMarkChange on = ApplySettingsCommand(settings, gain);
  EXPECT_EQ(settings.ch2Gain5, 1);
  EXPECT_EQ(settings.ch1Gain5, 0);
  EXPECT_EQ(on.uncheckId, 0);
  EXPECT_EQ(on.checkId, IDM_CH2_GAIN5);
  for (int id : {IDM_EXIT, IDM_EXPORT_TEXT, IDM_READ_DIRECT, IDM_ABOUT}) {
    const CheckMarkChange change = ApplySettingsCommand(settings, *FindMenuCommand(id));
    EXPECT_EQ(std::pair(change.uncheckId, change.checkId), std::pair(0, 0)) << id;
  }
  EXPECT_EQ(settings.ch2Gain5, 1);
  const CheckMarkChange off = ApplySettingsCommand(settings, gain);
  EXPECT_EQ(settings.ch2Gain5, 0);
  EXPECT_EQ(off.uncheckId, IDM_CH2_GAIN5);
  EXPECT_EQ(off.checkId, 0);
  EXPECT_EQ(settings.timebase, IDM_TB_100MS);
}

}  // namespace
}  // namespace vexal
