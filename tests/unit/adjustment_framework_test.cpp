// What the adjustments share beside their kernels: the mode codes, the
// label drag and range check, and the parameters kept in the settings file.
#include <gtest/gtest.h>

#include <vector>

#include "adjust/adjustment_modes.h"
#include "adjust/label_drag.h"
#include "adjust/stored_parameters.h"
#include "tests/unit/settings_test_support.h"
#include "tests/unit/test_files.h"

using namespace settings_test;

namespace {

TEST(AdjustmentModes, EveryCodeOpensByItsCommandAndBack) {
  EXPECT_EQ(AdjustmentModeOfCommand(5161), 13);
  EXPECT_EQ(AdjustmentModeOfCommand(5162), 14);
  EXPECT_EQ(AdjustmentModeOfCommand(5163), 15);
  EXPECT_EQ(AdjustmentModeOfCommand(5120), 6);
  EXPECT_EQ(AdjustmentModeOfCommand(5275), 28);
  EXPECT_EQ(AdjustmentModeOfCommand(5165), 0) << "invert has no bar";
  EXPECT_EQ(AdjustmentModeOfCommand(5010), 0);
  for (int mode = kFirstAdjustmentMode; mode <= kLastAdjustmentMode; ++mode) {
    EXPECT_EQ(AdjustmentModeOfCommand(AdjustmentCommandOfMode(mode)), mode) << mode;
  }
  EXPECT_EQ(AdjustmentCommandOfMode(5), 0);
  EXPECT_EQ(AdjustmentCommandOfMode(29), 0);
  EXPECT_TRUE(IsGeometryMode(10));
  EXPECT_FALSE(IsGeometryMode(11));
}

TEST(LabelDrag, TheValueFollowsThePointerAtItsPaceAndStaysInRange) {
  constexpr AmountRange range = {-100, 100};
  EXPECT_EQ(DraggedValue(0, 7, 0, range), 7);
  EXPECT_EQ(DraggedValue(0, 7, 1, range), 3);
  EXPECT_EQ(DraggedValue(0, -1, 1, range), -1) << "arithmetic shift: towards minus infinity";
  EXPECT_EQ(DraggedValue(0, -9, 3, range), -2);
  EXPECT_EQ(DraggedValue(90, 40, 0, range), 100);
  EXPECT_EQ(DraggedValue(-90, -40, 0, range), -100);
  EXPECT_EQ(RangeCheck(0, range), 0);
  EXPECT_EQ(RangeCheck(100, range), 1);
  EXPECT_EQ(RangeCheck(-100, range), 1);
  EXPECT_EQ(RangeCheck(101, range), 2);
  EXPECT_EQ(RangeCheck(-300, range), 2);
}

const StoredParameter kParameters[] = {
    {103, ParameterKind::kNumber, 10, 0, 50},
    {104, ParameterKind::kFlag, 1, 0, 1},
    {105, ParameterKind::kColour, 0xFFA060, 0, 0},
};

TEST(StoredParameters, AStoredValueCountsOnlyInlineAndInsideTheDirectory) {
  TempDir temp;
  const std::string path = temp.File("Ovira.ini");
  int32_t values[3] = {};
  ReadStoredParameters(path.c_str(), kParameters, values);
  EXPECT_EQ(std::vector<int32_t>(values, values + 3), (std::vector<int32_t>{10, 1, 0xFFA060}))
      << "no file: the defaults";

  temp.Write("Ovira.ini", FileImage(104, 0x14C8).Inline(103, 999).Build());
  ReadStoredParameters(path.c_str(), kParameters, values);
  EXPECT_EQ(values[0], 50) << "held in range";
  EXPECT_EQ(values[1], 1) << "entry 104 lies past a directory of 104 entries";

  temp.Write("Ovira.ini",
             FileImage(228, 0x14C8).Inline(103, -4).Inline(104, 6).Inline(105, 0x123456).Build());
  ReadStoredParameters(path.c_str(), kParameters, values);
  EXPECT_EQ(std::vector<int32_t>(values, values + 3), (std::vector<int32_t>{0, 0, 0x123456}))
      << "a flag keeps its lowest bit, a colour is taken as it is";

  const int32_t written[3] = {33, 1, 0x0000FF};
  ASSERT_TRUE(WriteStoredParameters(path.c_str(), kParameters, written));
  ReadStoredParameters(path.c_str(), kParameters, values);
  EXPECT_EQ(std::vector<int32_t>(values, values + 3), (std::vector<int32_t>{33, 1, 0x0000FF}));
}

}  // namespace
