#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "display/timebase_labels.h"
#include "resource.h"

namespace vexal {
namespace {

TEST(TimebaseTable, IdentifiersAreTheMenuGroupInMenuOrder) {
  std::set<int> ids;
  int index500us = -1, index200us = -1;
  for (std::size_t i = 0; i < TimebaseLabelTable.size(); ++i) {
    const int id = TimebaseLabelTable[i].id;
    EXPECT_TRUE((id >= 6004 && id <= 6022) || (id >= 6055 && id <= 6057)) << id;
    ids.insert(id);
    if (id == IDM_TB_500US) index500us = static_cast<int>(i);
    if (id == IDM_TB_200US) index200us = static_cast<int>(i);
  }
  EXPECT_EQ(ids.size(), 22u);
  EXPECT_EQ(TimebaseLabelTable.front().id, IDM_TB_50S);
  EXPECT_EQ(TimebaseLabelTable.back().id, IDM_TB_5US);
  EXPECT_EQ(index500us, 15);
  EXPECT_EQ(index200us, 16);
}

TEST(TimebaseTable, LabelsAreWindows1252AndLookedUpById) {
  EXPECT_STREQ(TimebaseLabel(IDM_TB_100MS), "TB: 100 ms / DIV");
  EXPECT_STREQ(TimebaseLabel(IDM_TB_5MS), "TB: 5 ms / DIV");
  EXPECT_STREQ(TimebaseLabel(IDM_TB_500US), "TB: 500 \xB5s / DIV");
  EXPECT_STREQ(TimebaseLabel(IDM_TB_200US), "TB: 200 \xB5s / DIV");
  // One byte 0xB5 for the micro sign, never UTF-8 (0xC2 0xB5).
  const char* label = TimebaseLabel(IDM_TB_5US);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(std::strlen(label), std::strlen("TB: 5 us / DIV"));
  EXPECT_EQ(static_cast<unsigned char>(label[6]), 0xB5);
  EXPECT_STREQ(TimebaseLabelTable[15].menuText, "500\xB5s");

  for (const TimebaseRow& row : TimebaseLabelTable) {
    EXPECT_EQ(std::strchr(row.labelText, '%'), nullptr) << row.labelText;
    EXPECT_EQ(std::strchr(row.labelText, '\xC2'), nullptr) << row.labelText;
  }

  EXPECT_EQ(TimebaseLabel(6023), nullptr);
  EXPECT_EQ(TimebaseLabel(6003), nullptr);
  EXPECT_EQ(TimebaseLabel(0), nullptr);
}

}  // namespace
}  // namespace vexal
