// The menu commands and the traces shown at start.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "app/command_line.h"
#include "app/demo_traces.h"
#include "app/menu_commands.h"
#include "app/view_commands.h"
#include "scope/timebase_labels.h"

namespace vexal {
namespace {

using enum MenuAction;
using Field = int DisplaySettings::*;

// What an identifier's command must do: a selection belongs to the group whose scale or
// timebase table knows it, in any other it would move the wrong mark and label.
std::pair<MenuAction, Field> Expected(int id) {
  const std::map<int, MenuAction> plain = {
      {6052, kQuit},       {6001, kExportText}, {6061, kExportMetafile}, {6050, kPrint},
      {6058, kReadDirect}, {6059, kReadEeprom}, {6060, kPortDialog},     {6062, kAbout}};
  if (plain.contains(id)) return {plain.at(id), nullptr};
  if (id == 6037) return {kToggleGain, &DisplaySettings::ch1Gain5};
  if (id == 6051) return {kToggleGain, &DisplaySettings::ch2Gain5};
  // Identifiers outside a channel's column count as 1 V and as a 1:1 probe.
  const auto volts = [id](int ch, int oneVolt) {
    return MicrovoltsPerDivision(ch, id) != 1'000'000 || id == oneVolt;
  };
  const auto probe = [id](int ch, int one) { return ProbeFactor(ch, id) != 1 || id == one; };
  if (volts(0, IDM_CH1_1V)) return {kSelect, &DisplaySettings::ch1VoltsPerDiv};
  if (volts(1, IDM_CH2_1V)) return {kSelect, &DisplaySettings::ch2VoltsPerDiv};
  if (probe(0, IDM_CH1_PROBE_1)) return {kSelect, &DisplaySettings::ch1Probe};
  if (probe(1, IDM_CH2_PROBE_1)) return {kSelect, &DisplaySettings::ch2Probe};
  return {kSelect, TimebaseLabel(id) != nullptr ? &DisplaySettings::timebase : nullptr};
}

TEST(MenuCommands, EachIdentifierFrom6001To6062HasOneCommandInItsGroup) {
  std::set<int> ids;
  for (const MenuCommand& command : MenuCommands()) {
    EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    EXPECT_EQ(FindMenuCommand(command.id), &command);
    EXPECT_EQ(std::pair(command.action, command.field), Expected(command.id)) << command.id;
  }
  EXPECT_EQ(std::tuple(ids.size(), *ids.begin(), *ids.rbegin()), std::tuple(62u, 6001, 6062));
  for (int id : {6000, 6063, 0}) EXPECT_EQ(FindMenuCommand(id), nullptr);
}

// Each step's mark to clear and to set (0: none): channel 1's "2V" 6032 (not 6025) from 1V 6026,
// probe 6035 from 6034, 500us 6017 from 100ms 6012 and again (it stays checked), channel 2's
// gain 6051 on, a command that is no setting ("Beenden"), channel 1's gain 6037 on and off.
TEST(ApplySettingsCommand, MovesTheMarkWithinItsGroupAndTogglesTheGain) {
  const int steps[][3] = {{6032, 6026, 6032}, {6035, 6034, 6035}, {6017, 6012, 6017},
                          {6017, 6017, 6017}, {6051, 0, 6051},    {6052, 0, 0},
                          {6037, 0, 6037},    {6037, 6037, 0}};
  DisplaySettings s;
  for (const auto& [id, uncheck, check] : steps) {
    const CheckMarkChange change = ApplySettingsCommand(s, *FindMenuCommand(id));
    EXPECT_EQ(std::pair(change.uncheckId, change.checkId), std::pair(uncheck, check)) << id;
  }
  EXPECT_EQ(std::tie(s.timebase, s.ch1VoltsPerDiv, s.ch2VoltsPerDiv, s.ch1Probe, s.ch2Probe,
                     s.ch1Gain5, s.ch2Gain5),
            std::tuple(6017, 6032, 6040, 6035, 6047, 0, 1));
}

TEST(DemoTraces, SineOnChannelOneCosineOnChannelTwo) {
  const WaveformSnapshot t = DemonstrationTraces();
  EXPECT_EQ(t.hasData, (std::array<int, 2>{1, 1}));
  // Index, sine, cosine: cos 0 reaches 256 and is held at 255; values truncate, never round.
  const int points[][3] = {{0, 128, 255},   {1, 128, 255},    {2, 129, 255},
                           {128, 218, 218}, {256, 255, 128},  {512, 128, 0},
                           {768, 0, 127},   {1024, 127, 255}, {2047, 126, 255}};
  for (const auto& [i, sine, cosine] : points) {
    EXPECT_EQ(std::pair(int{t.samples[0][i]}, int{t.samples[1][i]}), std::pair(sine, cosine)) << i;
  }
}

// A name with blanks may come unquoted (from a shortcut): the whole rest, of any length.
TEST(CommandLineRest, TheLineWithoutTheProgramsNameAndTheBlanksAround) {
  const std::wstring deep = L"Z:\\Meine Daten\\" + std::wstring(300, L'x');
  const std::pair<std::wstring, std::wstring> lines[] = {
      {L"vexal.exe", L""},
      {L"\"C:\\V 1\\vexal.exe\" \t ", L""},
      {L"\"C:\\V 1\\vexal.exe\"\t\"a b\" ", L"\"a b\""},
      {L"\"C:\\V 1\\vexal.exe a", L""},
      {L"vexal.exe\t C:\\a  b.txt", L"C:\\a  b.txt"},
      {L"vexal.exe " + deep + L" \t", deep}};
  for (const auto& [line, rest] : lines)
    EXPECT_EQ(std::wstring(CommandLineRest(line)), rest) << line;
}

// Which items of "Ansicht" can act, by the data (any channel, both, a reference) and the
// view; a command that cannot act changes nothing. Cases: item, view, data, enabled.
TEST(ViewCommands, ItemsActWhereTheDataAndTheViewAllow) {
  using enum PictureView;
  const std::tuple<int, PictureView, ViewData, bool> cases[] = {
      {IDM_VIEW_TIME, kSpectrum, {}, true},
      {IDM_VIEW_SPECTRUM, kTime, {}, false},
      {IDM_VIEW_SPECTRUM, kTime, {true, false, false}, true},
      {IDM_VIEW_XY, kTime, {true, false, false}, false},
      {IDM_VIEW_XY, kTime, {true, true, false}, true},
      {IDM_WINDOW_FLATTOP, kTime, {true, true, true}, false},
      {IDM_SPAN_5, kSpectrum, {true, false, false}, true},
      {IDM_MATH_SUM, kSpectrum, {true, false, false}, false},
      {IDM_MATH_DIFFERENCE, kTime, {true, true, false}, true},
      {IDM_REFERENCE_LOAD, kXy, {}, true},
      {IDM_REFERENCE_TAKE, kTime, {}, false},
      {IDM_REFERENCE_TAKE, kTime, {true, false, false}, true},
      {IDM_REFERENCE_REMOVE, kTime, {true, true, false}, false},
      {IDM_REFERENCE_REMOVE, kTime, {false, false, true}, true},
  };
  for (const auto& [id, view, data, enabled] : cases) {
    ViewState state;
    state.view = view;
    const ViewState before = state;
    EXPECT_EQ(ViewCommandEnabled(*FindViewCommand(id), state, data), enabled) << id;
    if (!enabled) {
      EXPECT_FALSE(ApplyViewCommand(state, *FindViewCommand(id), data)) << id;
      EXPECT_EQ(std::pair(state.view, state.math), std::pair(before.view, before.math)) << id;
    }
  }
  // The marks of a group; the checked math item again unchecks it; a lost channel takes X-Y
  // and M away.
  ViewState state;
  state.spectrum.span = SpectrumSpan::kQuarter;
  const ViewGroupMarks marks = ViewMarks(state, ViewGroup::kSpan);
  EXPECT_EQ(std::tuple(marks.first, marks.last, marks.checked),
            std::tuple(IDM_SPAN_100, IDM_SPAN_5, IDM_SPAN_25));
  const ViewData both = {true, true, false};
  for (int id : {IDM_VIEW_XY, IDM_MATH_SUM, IDM_MATH_DIFFERENCE}) {
    ApplyViewCommand(state, *FindViewCommand(id), both);
  }
  EXPECT_EQ(std::pair(state.view, state.math),
            std::pair(kXy, std::optional{MathOperation::kDifference}));
  ApplyViewCommand(state, *FindViewCommand(IDM_MATH_DIFFERENCE), both);
  EXPECT_FALSE(state.math);
  state.math = MathOperation::kSum;
  EXPECT_TRUE(KeepViewPossible(state, {true, false, false}));
  EXPECT_EQ(std::pair(state.view, state.math), std::pair(kTime, std::optional<MathOperation>{}));
  EXPECT_FALSE(KeepViewPossible(state, {true, false, false}));
}

}  // namespace
}  // namespace vexal
