#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

#include "cli/command_error.h"
#include "cli/model_choice.h"
#include "cli/run_language.h"
#include "cli/socket_address.h"
#include "cli/terminal_text.h"

namespace varnok::cli {
namespace {

TEST(Visible, AnyBytesBecomeOneLineOfValidText) {
  const struct {
    std::string_view bytes, shown;
  } cases[] = {
      {"VARNOK 标签", "VARNOK 标签"},
      {"a\r\nb\tc", "a\\r\\nb\\tc"},
      {"back\\slash", "back\\\\slash"},
      {"\xFF\xC3(", "\\xFF\\xC3("},  // not UTF-8
      {"\xC2\x85", "\\u0085"},       // a control character beyond ASCII
      {std::string_view("nul\0x", 5), "nul\\x00x"},
  };
  for (const auto& c : cases) EXPECT_EQ(Visible(c.bytes), c.shown);
}

TEST(DisplayWidth, WideCharactersTakeTwoColumns) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  EXPECT_EQ(DisplayWidth("K540"), 4U);
  EXPECT_EQ(DisplayWidth("标签K"), 5U);
}

TEST(SocketUri, AddressesAndTheirRefusals) {
  const struct {
    std::string_view address, uri;
  } cases[] = {
      {"192.168.1.168", "socket://192.168.1.168:9100"},
      {"printer7.example:9101", "socket://printer7.example:9101"},
      {"[fe80::1]:9100", "socket://[fe80::1]:9100"},
      {"::1", "socket://[::1]:9100"},
  };
  for (const auto& c : cases) EXPECT_EQ(SocketUri(c.address, Language::English), c.uri);
  for (const std::string_view bad :
       {"", "host:", "host:0", "host:65536", "host:+1", "a b", "host/x", "[::1]x", "host:9100:1"}) {
    EXPECT_THROW(SocketUri(bad, Language::English), UsageError) << bad;
  }
}

TEST(ModelChoice, MatchedWithoutCaseOtherwiseTheClosestAreNamed) {
  EXPECT_EQ(ChosenModel("varnok n5 PLUS", Language::English), "VARNOK N5 plus");
  try {
    ChosenModel("K540 200DP", Language::English);
    ADD_FAILURE() << "an unknown model was taken";
  } catch (const UsageError& error) {
    EXPECT_NE(std::string(error.what()).find("\"VARNOK K540 200DPI\""), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(ProposedQueueName("VARNOK K540 (203 DPI)"), "VARNOK_K540_203_DPI");
  EXPECT_EQ(ProposedQueueName("VARNOK K540/200+"), "VARNOK_K540_200+");
}

TEST(RunLanguage, TheFirstLocaleVariableSetDecidesAndLangOverrides) {
  const struct {
    const char *lc_all, *lc_messages, *lang;
    std::vector<const char*> arguments;
    Language language;
  } cases[] = {
      {nullptr, nullptr, nullptr, {"list"}, Language::English},
      {nullptr, nullptr, "zh_CN.UTF-8", {"list"}, Language::Chinese},
      {nullptr, "zh_TW", "en_US.UTF-8", {"list"}, Language::Chinese},
      {"C", "zh_CN", "zh_CN", {"list"}, Language::English},
      {"", "", "zh_CN.GB18030", {"list"}, Language::Chinese},
      {nullptr, nullptr, "de_DE.UTF-8", {"list"}, Language::English},
      {nullptr, nullptr, "zh_CN", {"--lang", "en", "list"}, Language::English},
      {nullptr, nullptr, "C", {"set", "reset-user", "Q", "--lang=zh"}, Language::Chinese},
      {nullptr, nullptr, "C", {"--lang", "fr", "list"}, Language::English},
      {nullptr, nullptr, "C", {"list", "--lang"}, Language::English},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunLanguage(c.arguments, LocaleLanguage(c.lc_all, c.lc_messages, c.lang)), c.language)
        << (c.lang ? c.lang : "") << " " << c.arguments.back();
  }
}

}  // namespace
}  // namespace varnok::cli
