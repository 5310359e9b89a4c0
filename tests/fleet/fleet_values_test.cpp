#include <gtest/gtest.h>

#include <optional>

#include "fleet/setting_values.h"

namespace varnok {
namespace {

TEST(SettingValues, OnlyWholeNumbersInsideTheRangeAreTaken) {
  constexpr auto kTaken = std::nullopt;
  constexpr auto kNotANumber = ValueProblem::NotWholeNumber;
  constexpr auto kOutside = ValueProblem::OutOfRange;
  const struct {
    ItemId item;
    std::string_view value;
    std::optional<ValueProblem> refused;
  } cases[] = {
      {ItemId::VerticalReflective, "-99", kTaken},
      {ItemId::VerticalReflective, "99", kTaken},
      {ItemId::VerticalReflective, "100", kOutside},
      {ItemId::VerticalReflective, "-100", kOutside},
      {ItemId::VerticalReflective, "-0", kTaken},
      {ItemId::TearOff, "2.9", kNotANumber},
      {ItemId::TearOff, "2.0", kNotANumber},
      {ItemId::TearOff, "-", kNotANumber},
      {ItemId::TearOff, "", kNotANumber},
      {ItemId::TearOff, " 5", kNotANumber},
      {ItemId::TearOff, "+5", kNotANumber},
      {ItemId::PagesPerCut, "001", kTaken},
      {ItemId::PagesPerCut, "050", kTaken},
      {ItemId::PagesPerCut, "0", kOutside},
      {ItemId::PagesPerCut, "51", kOutside},
      {ItemId::MaxPrintLength, "9999", kTaken},
      {ItemId::MaxPrintLength, "99999", kOutside},
      {ItemId::MaxPrintLength, "-1", kOutside},
      {ItemId::SensorPrecision, "99999999999999999999999", kOutside},
      {ItemId::SensorPrecision, "-99999999999999999999999", kOutside},
  };
  for (const auto& c : cases) {
    const SettingName& item = NameOfItem(c.item);
    try {
      CheckValue(item, c.value);
      EXPECT_EQ(c.refused, std::nullopt) << c.value << " was taken";
    } catch (const SettingValueError& error) {
      EXPECT_EQ(error.Fault().problem, c.refused) << c.value;
      EXPECT_EQ(error.Fault().given, c.value);
      EXPECT_EQ(error.Fault().item, &item) << c.value;
    }
  }
}

}  // namespace
}  // namespace varnok
