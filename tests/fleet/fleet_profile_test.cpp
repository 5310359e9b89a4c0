#include <gtest/gtest.h>

#include <optional>

#include "fleet/profile.h"
#include "fleet/setting_values.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::TempFolder;

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

// The faults the command line's tests do not reach, each with the line it is found at and the
// facts its message is made of.
TEST(ProfileReading, EachFaultIsTheFirstOneWithItsLineAndFacts) {
  const struct {
    const char* name;
    std::optional<std::string> text;  // none: no such file
    ProfileFault fault;
  } cases[] = {
      {"Missing", std::nullopt, {.problem = ProfileProblem::Missing}},
      {"SectionTwice",
       "[settings]\ncut-position = 5\n\n[Settings]\n",
       {.problem = ProfileProblem::SectionTwice, .line = 4, .word = "Settings", .first_line = 1}},
      {"NoNetworkKey",
       "# site A\n[network]\nadress = 10.0.0.5\n",
       {.problem = ProfileProblem::NoNetworkKey, .line = 3, .word = "adress"}},
      {"NetworkInSettings",
       "[settings]\nnetwork = 10.0.0.5\n",
       {.problem = ProfileProblem::NetworkInSettings, .line = 2}},
      {"NetworkValueTwice",
       "[network]\naddress = 10.0.0.5\nmask = 255.0.0.0\nADDRESS = 10.0.0.6\n",
       {.problem = ProfileProblem::GivenTwice, .line = 4, .word = "address", .first_line = 2}},
      // The network card is checked whole at its section's line, once the file is read.
      {"NetworkNeedsAtItsSection",
       "[settings]\ncut-position = 5\n[network]\naddress = 10.0.0.5\nmask = 255.0.0.0\n",
       {.problem = ProfileProblem::NetworkNeeds, .line = 3, .word = "gateway ="}},
      {"BadAddress",
       "[network]\nmask = 255.0.0.256\n",
       {.problem = ProfileProblem::BadValue,
        .line = 2,
        .value = SettingValueFault{ValueProblem::BadAddress, "255.0.0.256", "mask", nullptr}}},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = c.text ? folder.Write(c.name, *c.text) : folder.File(c.name);
    try {
      ReadProfile(path, 1);
      ADD_FAILURE() << "read";
    } catch (const ProfileError& error) {
      const ProfileFault& fault = error.Fault();
      EXPECT_EQ(fault.problem, c.fault.problem);
      EXPECT_EQ(fault.file, path);
      EXPECT_EQ(fault.line, c.fault.line);
      EXPECT_EQ(fault.word, c.fault.word);
      EXPECT_EQ(fault.first_line, c.fault.first_line);
      ASSERT_EQ(fault.value.has_value(), c.fault.value.has_value());
      if (fault.value) {
        EXPECT_EQ(fault.value->problem, c.fault.value->problem);
        EXPECT_EQ(fault.value->given, c.fault.value->given);
        EXPECT_EQ(fault.value->option, c.fault.value->option);
        EXPECT_EQ(fault.value->item, c.fault.value->item);
      }
    }
  }
}

}  // namespace
}  // namespace varnok
