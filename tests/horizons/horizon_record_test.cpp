// Tests of the horizon record: its text form, parsing, 16-bit fields and origin code.
#include <gtest/gtest.h>

#include "horizons/horizons.h"

namespace {

BCHor Record(int ih, int id, int width, int color, int status) {
  BCHor h;
  h.IH = ih;
  h.ID = static_cast<int16_t>(id);
  h.Width = static_cast<int16_t>(width);
  h.Color = color;
  h.Status = static_cast<int16_t>(status);
  return h;
}

void ExpectFields(const BCHor& h, int ih, int id, int width, int color, int status) {
  EXPECT_EQ(h.IH, ih);
  EXPECT_EQ(h.ID, id);
  EXPECT_EQ(h.Width, width);
  EXPECT_EQ(h.Color, color);
  EXPECT_EQ(h.Status, status);
}

TEST(BCHor, DefaultsAndTheirText) {
  BCHor h;
  ExpectFields(h, 1, 1, 3, 4210816, 0);
  EXPECT_EQ(h.GetAsString(), "1,1,3,4210816,0");
  EXPECT_EQ(Record(-4, -2, -3, -1, -5).GetAsString(), "-4,-2,-3,-1,-5");
}

TEST(BCHor, ParsesAndWritesBackTheSameText) {
  BCHor h;
  EXPECT_TRUE(h.SetFromString("4,2,3,4210816,0"));
  ExpectFields(h, 4, 2, 3, 4210816, 0);
  EXPECT_EQ(h.GetAsString(), "4,2,3,4210816,0");

  BCHor extra;
  EXPECT_TRUE(extra.SetFromString("4,2,3,4210816,0,17"));  // a sixth field is ignored
  ExpectFields(extra, 4, 2, 3, 4210816, 0);

  BCHor runs;
  EXPECT_TRUE(runs.SetFromString(",5,,6,1, 2 ,-7,,"));  // runs and ends of commas, blanks
  ExpectFields(runs, 5, 6, 1, 2, -7);
}

TEST(BCHor, FailedParseKeepsTheFieldsNotYetReached) {
  BCHor h = Record(9, 8, 7, 6, 5);
  EXPECT_FALSE(h.SetFromString("4,2,3,4210816"));  // too few fields: untouched
  ExpectFields(h, 9, 8, 7, 6, 5);
  EXPECT_FALSE(h.SetFromString("4,two,3,4210816,0"));  // IH already stored
  ExpectFields(h, 4, 8, 7, 6, 5);
  EXPECT_FALSE(h.SetFromString("1,2,3,4,0x5"));  // all but Status stored
  ExpectFields(h, 1, 2, 3, 4, 5);
  EXPECT_FALSE(h.SetFromString("1,2,3,99999999999,0"));  // Color outside 32 bits
  EXPECT_FALSE(h.SetFromString(""));
  EXPECT_FALSE(h.SetFromString(",,,,,,"));
  EXPECT_FALSE(h.SetFromString("1;2;3;4;5"));
}

TEST(BCHor, SixteenBitFieldsKeepTheLowBits) {
  BCHor h;
  ASSERT_TRUE(h.SetFromString("70000,70000,65535,70000,98304"));
  // IH and Color are 32-bit; ID, Width and Status wrap in two's complement.
  ExpectFields(h, 70000, 4464, -1, 70000, -32768);
  EXPECT_EQ(h.GetAsString(), "70000,4464,-1,70000,-32768");
  ASSERT_TRUE(h.SetFromString("1,-32769,32768,0,-65536"));
  ExpectFields(h, 1, 32767, -32768, 0, 0);
}

TEST(BCHor, WaveAndOriginText) {
  const struct {
    int status;
    int wave;
    const char* text;
  } cases[] = {
      {0, 0, "Defined as grid h-line"},
      {7, 7, "Built by inversion of TX-curves of wave 7"},
      {999, 999, "Built by inversion of TX-curves of wave 999"},
      {1000, 0, "Implanted as generating wave 0"},
      {1003, 3, "Implanted as generating wave 3"},
      // Above 1999 the wave number and the text disagree.
      {2005, 5, "Implanted as generating wave 1005"},
      {-5, -5, "Built by inversion of TX-curves of wave -5"},
      {-1005, -5, "Built by inversion of TX-curves of wave -1005"},
  };
  for (const auto& c : cases) {
    BCHor h = Record(1, 1, 3, 0, c.status);
    EXPECT_EQ(h.GetWaveID(), c.wave) << c.status;
    EXPECT_EQ(h.StatusAsString(), c.text);
  }
}

}  // namespace
