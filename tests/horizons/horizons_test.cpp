// The horizon record's text form and origin code, and the horizon list's admission rules, search
// and band test.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "horizons/horizons.h"

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

}  // namespace

TEST(BCHor, ParsesTheTextFormKeepingSixteenBitFieldsAndUpdatesPartially) {
  // Text in, text written back: a sixth field is ignored; runs of commas and blanks; ID, Width and
  // Status keep their low 16 bits in two's complement, IH and Color are 32-bit.
  const std::pair<const char*, const char*> cases[] = {
      {"4,2,3,4210816,0,17", "4,2,3,4210816,0"},
      {",5,,6,1, 2 ,-7,,", "5,6,1,2,-7"},
      {"70000,70000,65535,70000,98304", "70000,4464,-1,70000,-32768"},
  };
  BCHor h;
  for (const auto& [text, back] : cases) {
    EXPECT_TRUE(h.SetFromString(text)) << text;
    EXPECT_EQ(h.GetAsString(), back);
  }
  // A failed parse keeps the fields not yet reached: too few fields change nothing; a bad ID
  // comes after IH is stored, a Color beyond 32 bits after the first three.
  ASSERT_TRUE(h.SetFromString("9,8,7,6,5"));
  const std::pair<const char*, const char*> failures[] = {
      {"4,2,3,4210816", "9,8,7,6,5"},
      {"4,two,3,4210816,0", "4,8,7,6,5"},
      {"7,7,7,99999999999,0", "7,7,7,6,5"},
  };
  for (const auto& [text, after] : failures) {
    EXPECT_FALSE(h.SetFromString(text)) << text;
    EXPECT_EQ(h.GetAsString(), after) << text;
  }
}

TEST(BCHor, WaveAndOriginText) {
  // Above 1999 the wave number and the text disagree; a negative Status keeps its sign.
  const std::tuple<int, int, const char*> cases[] = {
      {0, 0, "Defined as grid h-line"},
      {1000, 0, "Implanted as generating wave 0"},
      {2005, 5, "Implanted as generating wave 1005"},
      {-1005, -5, "Built by inversion of TX-curves of wave -1005"},
  };
  for (const auto& [status, wave, text] : cases) {
    BCHor h;
    h.Status = static_cast<int16_t>(status);
    EXPECT_EQ(h.GetWaveID(), wave) << status;
    EXPECT_EQ(h.StatusAsString(), text);
  }
}

TEST(HorVect, AdmissionCodesAtEveryPosition) {
  EXPECT_EQ(HorVect().CanAdd(0, -4), 0);  // an empty list takes anything
  HorVect list = List({{3, -1}, {7, 20}, {12, 30}});
  // H-line, ID, code: at the front, in the middle and at the end, in order or not; a taken H-line,
  // a taken ID, both (the H-line is reported); 65535 is not the ID -1.
  const std::tuple<int, int, int> cases[] = {
      {1, -5, 0},  {1, 5, 3},   {5, 15, 0},  {5, 25, 3}, {14, 31, 0},
      {14, 25, 3}, {12, 99, 1}, {14, 20, 2}, {7, 30, 1}, {14, 65535, 0},
  };
  for (const auto& [ih, id, code] : cases) EXPECT_EQ(list.CanAdd(ih, id), code) << ih << " " << id;
  // CanAppendList leaves the last horizon, the one being placed, out of the order test only.
  list = List({{3, 10}, {7, 20}, {12, 5}});
  EXPECT_EQ(list.CanAdd(10, 25), 3);
  const std::tuple<int, int, int> appended[] = {{10, 25, 0}, {14, 15, 3}, {12, 99, 1}, {14, 5, 2}};
  for (const auto& [ih, id, code] : appended) EXPECT_EQ(list.CanAppendList(ih, id), code) << ih;
  EXPECT_EQ(List({{5, 1}}).CanAppendList(5, 1), 0);  // fewer than two: always
  list.clear();                                      // Add keeps the order and refuses the last two
  for (BCHor h : List({{7, 20}, {3, 10}, {12, 30}, {5, 15}, {9, 15}, {5, 16}})) list.Add(h);
  EXPECT_TRUE(list.size() == 4 && list[1].IH == 5 && list[1].ID == 15 && list[3].IH == 12);
  EXPECT_EQ(HorVect::GetAddErrorStr(3, 9, 0),
            "H-Line 9 cannot be a horizon with ID = 0, because it would break horizon list "
            "ordering.");
  EXPECT_EQ(HorVect::GetAddErrorStr(0, 9, 0), "");
}

TEST(HorVect, SearchDeleteAndBand) {
  HorVect list = List({{3, 1}, {5, 2}, {5, 3}, {8, 3}});
  EXPECT_EQ(list.IndexOf(5, 1), -1);   // the first match is excepted: no further search
  EXPECT_EQ(list.IndexOfId(3, 2), 3);  // any other position
  list.Delete(4);
  list.Delete(1);
  EXPECT_TRUE(list.size() == 3 && list[1].ID == 3);
  // ih1, ih2, withFirst, empty around a horizon on H-line 5: ih2 is always in the band, ih1 only
  // with withFirst; a reversed band is empty.
  list = List({{5, 1}});
  const std::tuple<int, int, bool, bool> cases[] = {
      {5, 5, false, true}, {5, 8, true, false}, {2, 5, false, false},
      {2, 4, true, true},  {6, 9, true, true},  {8, 2, true, true},
  };
  for (const auto& [ih1, ih2, withFirst, empty] : cases) {
    EXPECT_EQ(list.IsBandEmpty(ih1, ih2, withFirst), empty) << ih1 << ".." << ih2;
  }
}
