#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "display/timebase_labels.h"
#include "resource.h"

namespace vexal {
namespace {

TEST(TimebaseTable, IdentifiersAreTheMenuGroupInMenuOrder) {
  std::set<int> ids;
  for (const TimebaseRow& row : TimebaseLabelTable) {
    EXPECT_TRUE((row.id >= 6004 && row.id <= 6022) || (row.id >= 6055 && row.id <= 6057)) << row.id;
    ids.insert(row.id);
    // Written by wsprintfA with no arguments, in Windows-1252 (never UTF-8's 0xC2 0xB5).
    EXPECT_EQ(std::strpbrk(row.labelText, "%\xC2"), nullptr) << row.labelText;
  }
  EXPECT_EQ(ids.size(), 22u);
  EXPECT_EQ(TimebaseLabelTable.front().id, IDM_TB_50S);
  EXPECT_EQ(TimebaseLabelTable[15].id, IDM_TB_500US);
  EXPECT_EQ(TimebaseLabelTable[16].id, IDM_TB_200US);
  EXPECT_EQ(TimebaseLabelTable.back().id, IDM_TB_5US);
  EXPECT_STREQ(TimebaseLabelTable[15].menuText, "500\xB5s");
}

TEST(TimebaseTable, LabelsAreLookedUpById) {
  EXPECT_STREQ(TimebaseLabel(IDM_TB_100MS), "TB: 100 ms / DIV");
  EXPECT_STREQ(TimebaseLabel(IDM_TB_5MS), "TB: 5 ms / DIV");
  EXPECT_STREQ(TimebaseLabel(IDM_TB_200US), "TB: 200 \xB5s / DIV");
  EXPECT_STREQ(TimebaseLabel(IDM_TB_5US), "TB: 5 \xB5s / DIV");
  for (int id : {6023, 6003, 0}) EXPECT_EQ(TimebaseLabel(id), nullptr) << id;
}

}  // namespace
}  // namespace vexal
