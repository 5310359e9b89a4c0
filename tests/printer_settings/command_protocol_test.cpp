#include "printer_settings/command_protocol.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "foundation/blanks.h"
#include "hex_bytes.h"
#include "printer_settings/decimal_number.h"

namespace varnok {
namespace {

using testing::HexBytes;

std::string Adjusted(std::string_view word, std::string_view text, std::int16_t correction) {
  const std::optional<std::string> value = FormatAdjustedValue(text, correction);
  return value ? BuildSettingCommand(word, *value) : "not a number";
}

struct ByteCase {
  const char* name;
  std::function<std::string()> compose;
  const char* bytes;
};

TEST(CommandProtocol, ComposesTheBytesOfEveryCommandForm) {
  const ByteCase cases[] = {
      {"reflective -5, correction 0", [] { return Adjusted("#UM>SD", "-5", 0); },
       "23 55 4D 3E 53 44 2D 35 0D"},
      {"cutting 12, correction -3", [] { return Adjusted("#UM>CD", "12", -3); },
       "23 55 4D 3E 43 44 39 0D"},
      {"tear-off 2.9", [] { return Adjusted("#UM>FD", "2.9", 0); }, "23 55 4D 3E 46 44 32 0D"},
      {"tear-off -2.1", [] { return Adjusted("#UM>FD", "-2.1", 0); }, "23 55 4D 3E 46 44 2D 33 0D"},
      {"tear-off -0", [] { return Adjusted("#UM>FD", "-0", 0); }, "23 55 4D 3E 46 44 30 0D"},
      {"peeling ' 7 ', correction 1", [] { return Adjusted("#UM>PD", " 7 ", 1); },
       "23 55 4D 3E 50 44 38 0D"},
      {"maximum print length 100",
       [] { return BuildSettingCommand(kMaxPrintLengthWord, *FormatMaximumPrintLength("100")); },
       "23 55 4D 3E 53 4C 35 30 30 0D 0A"},
      {"maximum print length 0",
       [] { return BuildSettingCommand(kMaxPrintLengthWord, *FormatMaximumPrintLength("0")); },
       "23 55 4D 3E 53 4C 34 30 30 0D 0A"},
      {"cut count ' 001 '", [] { return BuildSettingCommand("#UM>CP", TrimBlanks(" 001 ")); },
       "23 55 4D 3E 43 50 30 30 31 0D"},
      {"cut count empty", [] { return BuildSettingCommand("#UM>CP", TrimBlanks("")); },
       "23 55 4D 3E 43 50 0D"},
      {"sensitivity 05", [] { return BuildSettingCommand("#UM>DL", "05"); },
       "23 55 4D 3E 44 4C 30 35 0D"},
      {"precision 05 as typed", [] { return BuildSettingCommand("#UM>SP", "05"); },
       "23 55 4D 3E 53 50 30 35 0D"},
      {"precision 05 adjusted, correction 0", [] { return Adjusted("#UM>SP", "05", 0); },
       "23 55 4D 3E 53 50 35 0D"},
      {"print direction normal", [] { return BuildSettingCommand("#UM>DI1"); },
       "23 55 4D 3E 44 49 31 0D"},
      {"user-level reset", [] { return BuildSettingCommand("^@"); }, "5E 40 0D"},
  };
  for (const ByteCase& c : cases) {
    EXPECT_EQ(HexBytes(c.compose()), c.bytes) << c.name;
  }
}

struct ValueCase {
  const char* text;
  std::int16_t correction;
  std::optional<std::string> sent;
};

TEST(CommandProtocol, AdjustedValueIsTheExactFloorPlusTheCorrection) {
  const ValueCase cases[] = {
      {"0", 12, "12"},
      {"-0.5", 0, "-1"},
      {"-.5", 0, "-1"},
      {"0.9", -1, "-1"},
      {"5.", 0, "5"},
      {"-3.000", 0, "-3"},
      {"007", 0, "7"},
      {"-007", 7, "0"},
      {"\t3\t", 0, "3"},
      {"-1", 1, "0"},
      {"1000", -1, "999"},
      {"-999", -1, "-1000"},
      {"2", -32768, "-32766"},
      {"-32768", -32768, "-65536"},
      {"32767", 32767, "65534"},
      {"-99999999999999999999.5", 3, "-99999999999999999997"},
      {"99999999999999999999.99", 1, "100000000000000000000"},
      {"123456789012345678901234567890", -1, "123456789012345678901234567889"},
      {"-100000000000000000000", 1, "-99999999999999999999"},
  };
  for (const ValueCase& c : cases) {
    EXPECT_EQ(FormatAdjustedValue(c.text, c.correction), c.sent) << '"' << c.text << '"';
  }
}

TEST(CommandProtocol, TextThatIsNotANumberGivesNoValue) {
  for (const char* text : {"", " ", "-", ".", "-.", "1.2.3", "--1..2", "--1", "1-", "+5", "1 2",
                           "- 5", "1e5", "0x10", "12a", "１２"}) {
    EXPECT_EQ(FormatAdjustedValue(text, 0), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(FormatMaximumPrintLength(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(CommandProtocol, MaximumPrintLengthAddsFourHundredToTheFloor) {
  EXPECT_EQ(FormatMaximumPrintLength("99.9"), "499");
  EXPECT_EQ(FormatMaximumPrintLength("-400.5"), "-1");
  EXPECT_EQ(FormatMaximumPrintLength("99999999999999999999"), "100000000000000000399");
}

const std::array<std::string, 4> kAddress{"192", "168", "1", "168"};
const std::array<std::string, 4> kMask{"255", "255", "255", "0"};
const std::array<std::string, 4> kGateway{"192", "168", "1", "1"};

TEST(CommandProtocol, NetworkDocumentAtItsDefaultsIs69Bytes) {
  const std::string document = BuildNetworkCommands(kAddress, kMask, kGateway, "9100");
  EXPECT_EQ(document, "#UM>IA192.168.1.168\r#UM>MK255.255.255.0\r#UM>GT192.168.1.1\r#UM>NP9100\r");
  EXPECT_EQ(document.size(), 69u);
}

TEST(CommandProtocol, NetworkFieldsPassUnchangedEvenWhenEmpty) {
  const std::array<std::string, 4> address{"192", "", "1", "168"};
  const std::array<std::string, 4> gateway{"gw", " 1", "", ""};
  EXPECT_EQ(BuildNetworkCommands(address, kMask, gateway, ""),
            "#UM>IA192..1.168\r#UM>MK255.255.255.0\r#UM>GTgw. 1..\r#UM>NP\r");
}

}  // namespace
}  // namespace varnok
