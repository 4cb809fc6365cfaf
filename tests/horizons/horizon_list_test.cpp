// Tests of the horizon list: admission codes, messages, search, band test, loading and saving.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "horizons/horizons.h"
#include "support/scratch_dir.h"

namespace {

HorVect List(std::initializer_list<std::pair<int, int>> ihAndId) {
  HorVect list;
  for (auto [ih, id] : ihAndId) {
    BCHor h;
    h.IH = ih;
    h.ID = static_cast<int16_t>(id);
    list.push_back(h);
  }
  return list;
}

std::vector<int> HLines(const HorVect& list) {
  std::vector<int> ihs;
  for (const BCHor& h : list) ihs.push_back(h.IH);
  return ihs;
}

TEST(HorVectCanAdd, CodesAtEveryPosition) {
  HorVect empty;
  EXPECT_EQ(empty.CanAdd(0, -4), 0);  // even values the loading ranges reject

  HorVect two = List({{3, 1}, {7, 2}});
  EXPECT_EQ(two.CanAdd(7, 5), 1);
  EXPECT_EQ(two.CanAdd(9, 1), 2);
  EXPECT_EQ(two.CanAdd(7, 1), 1);  // both taken: the H-line is reported
  EXPECT_EQ(two.CanAdd(9, 3), 0);  // end
  EXPECT_EQ(two.CanAdd(9, 0), 3);
  EXPECT_EQ(two.CanAdd(1, 5), 3);  // front
  EXPECT_EQ(two.CanAdd(1, 0), 0);

  // Inside: strictly between the neighbours' identifiers.
  HorVect three = List({{3, 10}, {7, 20}, {12, 30}});
  EXPECT_EQ(three.CanAdd(5, 15), 0);
  EXPECT_EQ(three.CanAdd(5, 5), 3);
  EXPECT_EQ(three.CanAdd(5, 25), 3);  // above the ID at the insertion position
  EXPECT_EQ(three.CanAdd(9, 21), 0);
  EXPECT_EQ(three.CanAdd(9, 31), 3);
  EXPECT_EQ(three.CanAdd(9, 20), 2);
  EXPECT_EQ(three.CanAdd(12, 99), 1);
}

TEST(HorVectCanAdd, IdentifierComparesAsWidened16Bit) {
  HorVect list = List({{3, -1}});
  EXPECT_EQ(list.CanAdd(5, -1), 2);
  EXPECT_EQ(list.CanAdd(5, 65535), 0);  // not the same identifier as -1
}

TEST(HorVectCanAppendList, IgnoresTheLastHorizonForOrdering) {
  EXPECT_EQ(List({{5, 1}}).CanAppendList(5, 1), 0);  // fewer than two: always 0

  HorVect list = List({{3, 10}, {7, 20}, {12, 5}});
  // The duplicate tests still cover the last horizon.
  EXPECT_EQ(list.CanAppendList(12, 99), 1);
  EXPECT_EQ(list.CanAppendList(14, 5), 2);
  // CanAdd compares with ID 5 on H-line 12; here the last horizon is left out.
  EXPECT_EQ(list.CanAdd(10, 25), 3);
  EXPECT_EQ(list.CanAppendList(14, 25), 0);
  EXPECT_EQ(list.CanAppendList(10, 25), 0);
  EXPECT_EQ(list.CanAppendList(14, 15), 3);  // compared with the horizon before the last
  EXPECT_EQ(list.CanAppendList(5, 15), 0);
  EXPECT_EQ(list.CanAppendList(5, 25), 3);
  EXPECT_EQ(list.CanAppendList(1, 9), 0);
  EXPECT_EQ(list.CanAppendList(1, 11), 3);
}

TEST(HorVect, AddKeepsTheOrderAndRefusesWhatCanAddRefuses) {
  HorVect list;
  BCHor h;
  for (auto [ih, id] : {std::pair{7, 20}, {3, 10}, {12, 30}, {5, 15}, {9, 15}, {5, 16}}) {
    h.IH = ih;
    h.ID = static_cast<int16_t>(id);
    list.Add(h);
  }
  EXPECT_EQ(HLines(list), (std::vector<int>{3, 5, 7, 12}));
}

TEST(HorVect, AddErrorMessages) {
  EXPECT_EQ(HorVect::GetAddErrorStr(0, 9, 0), "");
  EXPECT_EQ(HorVect::GetAddErrorStr(1, 9, 0),
            "H-Line 9 is already associated with another horizon.");
  EXPECT_EQ(HorVect::GetAddErrorStr(2, 9, 4), "ID = 4 is already used for another horizon.");
  EXPECT_EQ(HorVect::GetAddErrorStr(3, 9, 0),
            "H-Line 9 cannot be a horizon with ID = 0, because it would break horizon list "
            "ordering.");
  EXPECT_EQ(HorVect::GetAddErrorStr(4, 9, 0), "");
  EXPECT_EQ(HorVect::GetAddErrorStr(-1, 9, 0), "");
}

TEST(HorVect, SearchAndDelete) {
  HorVect list = List({{3, 1}, {5, 2}, {5, 3}, {8, 3}});
  EXPECT_EQ(list.IndexOf(5, -1), 1);
  EXPECT_EQ(list.IndexOf(5, 1), -1);  // the first match is excepted: no further search
  EXPECT_EQ(list.IndexOf(5, 2), 1);
  EXPECT_EQ(list.IndexOf(4, -1), -1);
  EXPECT_EQ(list.IndexOfId(3, -1), 2);
  EXPECT_EQ(list.IndexOfId(3, 2), 3);  // any other position
  EXPECT_EQ(list.IndexOfId(7, -1), -1);
  EXPECT_EQ(HorVect().IndexOf(1, -1), -1);

  list.Delete(-1);
  list.Delete(4);
  EXPECT_EQ(list.size(), 4u);
  list.Delete(1);
  EXPECT_EQ(HLines(list), (std::vector<int>{3, 5, 8}));
  EXPECT_EQ(list[1].ID, 3);
}

TEST(HorVect, BandEndsInclusiveAndExclusive) {
  HorVect none;
  EXPECT_TRUE(none.IsBandEmpty(0, 100, true));

  HorVect list = List({{5, 1}});
  EXPECT_TRUE(list.IsBandEmpty(5, 5, false));
  EXPECT_FALSE(list.IsBandEmpty(5, 5, true));
  EXPECT_TRUE(list.IsBandEmpty(4, 4, true));
  EXPECT_TRUE(list.IsBandEmpty(5, 8, false));  // first line left out
  EXPECT_FALSE(list.IsBandEmpty(5, 8, true));
  EXPECT_FALSE(list.IsBandEmpty(2, 5, false));  // last line always in
  EXPECT_TRUE(list.IsBandEmpty(2, 4, true));
  EXPECT_FALSE(list.IsBandEmpty(4, 5, false));
  EXPECT_TRUE(list.IsBandEmpty(6, 9, true));
  EXPECT_TRUE(list.IsBandEmpty(8, 2, true));  // reversed band
  EXPECT_FALSE(List({{2147483647, 1}}).IsBandEmpty(2147483646, 2147483647, false));
  EXPECT_TRUE(List({{2147483647, 1}}).IsBandEmpty(2147483647, 2147483647, false));
}

int LoadText(HorVect& list, const std::string& text) {
  std::istringstream in(text);
  return list.LoadFromStream(in);
}

TEST(HorVectLoad, SortsWithoutAdmissionTests) {
  HorVect list = List({{1, 1}});
  EXPECT_EQ(LoadText(list, "9,1,3,0,0\n4,2,3,0,0\r\n6,3,3,0,0"), 0);
  EXPECT_EQ(HLines(list), (std::vector<int>{4, 6, 9}));
  EXPECT_EQ(list[0].ID, 2);

  // Duplicate H-lines, a duplicate ID and broken ID order all load.
  EXPECT_EQ(LoadText(list, "4,1,3,0,0\n4,1,3,0,0\n2,7,3,0,0\n"), 0);
  EXPECT_EQ(HLines(list), (std::vector<int>{2, 4, 4}));

  EXPECT_EQ(LoadText(list, ""), 0);
  EXPECT_TRUE(list.empty());
}

TEST(HorVectLoad, BadLineNumberAndEmptyList) {
  HorVect list = List({{1, 1}});
  EXPECT_EQ(LoadText(list, "1,1,3,0,0\n2,2,3,0,0\n3,3,3,0\n4,4,3,0,0\n"), 3);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(LoadText(list, "1,1,3,0,0\n\n2,2,3,0,0\n"), 2);  // a blank line is no horizon
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(LoadText(list, "x"), 1);
}

TEST(HorVectLoad, MissingFileLoadsAsAnEmptyList) {
  ScratchDir dir;
  HorVect list = List({{1, 1}});
  EXPECT_EQ(list.Load(dir.File("none.hor")), 0);
  EXPECT_TRUE(list.empty());
}

}  // namespace
