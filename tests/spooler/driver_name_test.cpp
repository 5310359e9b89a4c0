#include <gtest/gtest.h>

#include "spooler/driver_name_text.h"
#include "spooler/printer_access.h"
#include "support/fake_spooler.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using testing::MessageRecorder;

const std::string kLongName = "VARNOK K540 200DPI with a driver name that is longer than 64 bytes";

struct NameCase {
  const char* name;
  std::optional<std::string> make_and_model;
  std::string expected;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class DriverNameText : public ::testing::TestWithParam<NameCase> {};

TEST_P(DriverNameText, IsTheMakeAndModelKeptTo64Bytes) {
  FakeSpooler spooler;
  FakeSpooler::Queue queue;
  queue.make_and_model = GetParam().make_and_model;
  spooler.AddQueue("VARNOK_Q", queue);
  MessageRecorder messages;

  const SpoolerResult<QueueDriver> driver =
      GetQueueDriverName(spooler, messages, "VARNOK_Q", Language::English);
  ASSERT_TRUE(driver);
  EXPECT_EQ(driver->name, GetParam().expected);
  EXPECT_TRUE(messages.shown.empty());
}

// "\xE6\xA0\x87" is one three-byte character.
INSTANTIATE_TEST_SUITE_P(
    Names, DriverNameText,
    ::testing::Values(NameCase{"Plain", "VARNOK M-4410 (VRLZ)", "VARNOK M-4410 (VRLZ)"},
                      NameCase{"Missing", std::nullopt, " "}, NameCase{"Empty", "", ""},
                      NameCase{"Exactly64", std::string(64, 'A'), std::string(64, 'A')},
                      NameCase{"Long", kLongName + "!!!!", kLongName.substr(0, 64)},
                      NameCase{"CharacterAcrossTheCut", std::string(62, 'A') + "\xE6\xA0\x87" + "B",
                               std::string(62, 'A')},
                      NameCase{"CharacterEndingAtTheCut",
                               std::string(61, 'A') + "\xE6\xA0\x87" + "B",
                               std::string(61, 'A') + "\xE6\xA0\x87"},
                      NameCase{"StopsAtNul", std::string("VARNOK\0RS5", 10), "VARNOK"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PointerToString, NullAddressGivesOneSpace) { EXPECT_EQ(PointerToString(nullptr), " "); }

struct FailureCase {
  const char* name;
  DescribeFailure where;
  Language window;
  Message expected;
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class DriverNameFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DriverNameFailure, ShowsItsOneMessage) {
  FakeSpooler spooler;
  FakeSpooler::Queue queue;
  queue.describe_fails = GetParam().where;
  spooler.AddQueue("VARNOK_Q", queue);
  MessageRecorder messages;

  EXPECT_FALSE(GetQueueDriverName(spooler, messages, "VARNOK_Q", GetParam().window));
  EXPECT_EQ(messages.shown, std::vector<Message>{GetParam().expected});
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DriverNameFailure,
    ::testing::Values(FailureCase{"CannotOpen",
                                  DescribeFailure::CannotOpen,
                                  Language::Chinese,
                                  {"Cannot open printer VARNOK_Q, Error: 1280", "VarnoK Utility",
                                   MessageIcon::None, MessageButtons::Ok}},
                      FailureCase{"SizeQueryChinese",
                                  DescribeFailure::SizeQueryFailed,
                                  Language::Chinese,
                                  {" > GetPrinter Failed on initial call! <", "VarnoK Utility",
                                   MessageIcon::None, MessageButtons::Ok}},
                      FailureCase{"SizeQueryEnglish",
                                  DescribeFailure::SizeQueryFailed,
                                  Language::English,
                                  {" > GetPrinter Failed on initial call! <", "VarnoK Utility",
                                   MessageIcon::None, MessageButtons::Ok}},
                      FailureCase{
                          "DescriptionChinese",
                          DescribeFailure::DescriptionUnreadable,
                          Language::Chinese,
                          {"驱动打开错误！", "提示", MessageIcon::Exclamation, MessageButtons::Ok}},
                      FailureCase{"DescriptionEnglish",
                                  DescribeFailure::DescriptionUnreadable,
                                  Language::English,
                                  {"Couldn't get Printer Status!", "Notice",
                                   MessageIcon::Exclamation, MessageButtons::Ok}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DriverNameFailure, MissingQueueNamesTheQueueAndTheStatus) {
  FakeSpooler spooler;
  MessageRecorder messages;

  EXPECT_FALSE(GetQueueDriverName(spooler, messages, "VARNOK_GONE", Language::English));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Cannot open printer VARNOK_GONE, Error: 1030");
}

}  // namespace
}  // namespace varnok
