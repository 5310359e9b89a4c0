#include "printer_settings/key_filter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace varnok {
namespace {

struct KeyCase {
  KeyFilter filter;
  int key;
  const char* text;
  KeyDecision decision;
};

constexpr KeyDecision Typed(int key) { return {key, false, false, false}; }
constexpr KeyDecision Discarded() { return Typed(kDiscardKey); }
constexpr KeyDecision MovesOn() { return {kEnterKey, false, true, true}; }
constexpr KeyDecision Warns(int key) { return {key, true, true, false}; }

TEST(KeyFilter, DecidesEachKeyFromTheTextBeforeIt) {
  const KeyCase cases[] = {
      // Value field: "-", "." and digits only.
      {KeyFilter::Value, 'a', "1", Discarded()},
      {KeyFilter::Value, ' ', "1", Discarded()},
      {KeyFilter::Value, '+', "1", Discarded()},
      {KeyFilter::Value, 22, "1", Discarded()},  // paste
      {KeyFilter::Value, 0x4E2D, "", Discarded()},
      {KeyFilter::Value, '-' + 0x100, "", Discarded()},  // no narrowing to char
      {KeyFilter::Value, '-', "--", Typed('-')},
      {KeyFilter::Value, '.', "1.", Typed('.')},
      {KeyFilter::Value, kBackspaceKey, "1", Typed(kBackspaceKey)},
      {KeyFilter::Value, kEnterKey, "1", Typed(kEnterKey)},
      // Octet fields: the text before the key is tested, 255 itself passes.
      {KeyFilter::Octet, '5', "25", Typed('5')},
      {KeyFilter::Octet, '5', "255", Typed('5')},
      {KeyFilter::Octet, 'x', "2555", Warns(kDiscardKey)},
      {KeyFilter::Octet, '1', "2555", Warns('1')},
      {KeyFilter::Octet, kEnterKey, "300", Warns(kEnterKey)},
      {KeyFilter::Octet, '.', "300", Warns('.')},
      {KeyFilter::Octet, kBackspaceKey, "300", Warns(kBackspaceKey)},
      {KeyFilter::Octet, '1', "300.", Warns('1')},
      {KeyFilter::Octet, '1', "255.5", Warns('1')},
      {KeyFilter::Octet, '1', "99999999999999999999999999999", Warns('1')},
      {KeyFilter::Octet, '.', "10", MovesOn()},
      {KeyFilter::Octet, kEnterKey, "255", MovesOn()},
      {KeyFilter::Octet, '.', "", MovesOn()},
      {KeyFilter::Octet, kEnterKey, "", MovesOn()},
      {KeyFilter::Octet, '.', "0000000000000000000000000255", MovesOn()},
      {KeyFilter::Octet, '.', "abc", MovesOn()},  // a text that begins with no number counts 0
      {KeyFilter::Octet, '-', "10", Discarded()},
      {KeyFilter::Octet, 'a', "10", Discarded()},
      // Port field: digits only, Enter goes nowhere.
      {KeyFilter::Port, '.', "9100", Discarded()},
      {KeyFilter::Port, kEnterKey, "9100", Typed(kEnterKey)},
      {KeyFilter::Port, '1', "99999", Typed('1')},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(FilterKey(c.filter, c.key, c.text), c.decision)
        << "filter " << static_cast<int>(c.filter) << ", key " << c.key << ", text \"" << c.text
        << '"';
  }
}

// Types the keys into an empty field as the window applies the decisions.
std::string Type(KeyFilter filter, std::string_view keys) {
  std::string text;
  for (const char key : keys) {
    const KeyDecision decision = FilterKey(filter, key, text);
    if (decision.key == kBackspaceKey && !text.empty()) text.pop_back();
    if (decision.key >= ' ') text += static_cast<char>(decision.key);
  }
  return text;
}

TEST(KeyFilter, ValueFieldTakesSignsAndPointsAnywhere) {
  EXPECT_EQ(Type(KeyFilter::Value, "-12.5"), "-12.5");
  EXPECT_EQ(Type(KeyFilter::Value, "--1..2"), "--1..2");
  EXPECT_EQ(Type(KeyFilter::Value, "a+ 1b"), "1");
}

TEST(KeyFilter, OverLimitWarningText) {
  EXPECT_EQ(OverLimitWarning(), (Message{"输入的数值必须小于255！请重新输入！", "错误",
                                         MessageIcon::Exclamation, MessageButtons::Ok}));
}

TEST(KeyFilter, OnlyTheChineseNetworkFieldsAreFiltered) {
  EXPECT_EQ(FieldKeyFilter(Language::Chinese, 1), KeyFilter::Value);
  EXPECT_EQ(FieldKeyFilter(Language::English, 1), KeyFilter::Value);
  for (int field = 2; field <= 13; ++field) {
    EXPECT_EQ(FieldKeyFilter(Language::Chinese, field), KeyFilter::Octet) << field;
    EXPECT_EQ(FieldKeyFilter(Language::English, field), std::nullopt) << field;
  }
  EXPECT_EQ(FieldKeyFilter(Language::Chinese, 14), KeyFilter::Port);
  EXPECT_EQ(FieldKeyFilter(Language::English, 14), std::nullopt);
  EXPECT_EQ(FieldKeyFilter(Language::Chinese, 15), std::nullopt);
}

TEST(KeyFilter, ChainRunsThroughTheOctetsToThePort) {
  for (int field = 2; field <= 13; ++field) {
    EXPECT_EQ(NetworkFieldSuccessor(field), field + 1) << field;
  }
  EXPECT_EQ(NetworkFieldSuccessor(14), std::nullopt);
  EXPECT_EQ(NetworkFieldSuccessor(1), std::nullopt);
}

}  // namespace
}  // namespace varnok
