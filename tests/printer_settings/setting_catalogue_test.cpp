#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer_settings/item_commands.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/setting_names.h"
#include "support/language_shorthands.h"

namespace varnok {
namespace {

using Lines = std::array<std::string_view, 4>;

// The input panel a row shows for where its command's parameter comes from.
InputPanel PanelFor(ParameterSource source) {
  switch (source) {
    case ParameterSource::None:
      return InputPanel::Placeholder;
    case ParameterSource::Network:
      return InputPanel::Network;
    case ParameterSource::Choice:
      return InputPanel::Choice;
    default:
      return InputPanel::Value;
  }
}

const SettingItem* Item(Language window, ItemId id) {
  const auto items = SettingCatalogue(window);
  const auto found = std::ranges::find(items, id, &SettingItem::id);
  return found == items.end() ? nullptr : &*found;
}

// Both lists hold every item in the order the names give them (the English one without the
// maximum print length); each row is found by its own text, no two alike, and shows the panel
// its command's parameter needs.
TEST(SettingCatalogue, EveryItemOnceInOrderWithThePanelItsCommandNeeds) {
  for (const Language window : {kCn, kEn}) {
    std::vector<ItemId> expected;
    for (const SettingName& name : SettingNames()) {
      if (window == kCn || name.id != ItemId::MaxPrintLength) expected.push_back(name.id);
    }
    std::vector<ItemId> listed;
    std::vector<std::string_view> texts;
    for (const SettingItem& item : SettingCatalogue(window)) {
      SCOPED_TRACE(item.text);
      listed.push_back(item.id);
      EXPECT_FALSE(item.text.empty());
      EXPECT_EQ(std::ranges::count(texts, item.text), 0);
      texts.push_back(item.text);
      EXPECT_EQ(FindSettingItem(window, item.text), &item);
      EXPECT_EQ(item.input, PanelFor(CommandOfItem(item.id).ParameterIn(window)));
      EXPECT_EQ(item.help == HelpPanel::ResetNotes, item.input == InputPanel::Placeholder);
      const bool value = item.input == InputPanel::Value;
      EXPECT_EQ(!item.default_value.empty(), value);
      EXPECT_EQ(!item.range_line.empty(), value);
    }
    EXPECT_EQ(listed, expected);
  }
}

// The two windows' rows of an item show the same panels and default, in their own words.
TEST(SettingCatalogue, BothWindowsRowsOfAnItemAgreeButForTheirWords) {
  for (const SettingItem& english : SettingCatalogue(kEn)) {
    const SettingItem& chinese = *Item(kCn, english.id);
    SCOPED_TRACE(english.text);
    EXPECT_NE(chinese.text, english.text);
    EXPECT_EQ(chinese.input, english.input);
    EXPECT_EQ(chinese.help, english.help);
    EXPECT_EQ(chinese.default_value, english.default_value);
    EXPECT_EQ(chinese.shows_help_lines_3_and_4, english.shows_help_lines_3_and_4);
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(chinese.choices[i].empty(), english.choices[i].empty());
      EXPECT_EQ(chinese.reset_notes[i].empty(), english.reset_notes[i].empty());
      if (!english.reset_notes[i].empty()) {
        EXPECT_NE(chinese.reset_notes[i], english.reset_notes[i]);
      }
    }
    for (std::size_t line = 0; line < 4; ++line) {
      EXPECT_EQ(chinese.help_lines[line].empty(), english.help_lines[line].empty()) << line;
    }
  }
}

// The number a text ends with ("…：0", "Range:-99 ～ 99"), or nullopt.
std::optional<int> LastNumber(std::string_view text) {
  std::size_t start = text.size();
  while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1])) != 0) --start;
  if (start == text.size()) return std::nullopt;
  if (start > 0 && text[start - 1] == '-') --start;
  return std::stoi(std::string(text.substr(start)));
}

// The number the range line states first.
std::optional<int> FirstNumber(std::string_view text) {
  const std::size_t start = text.find_first_of("-0123456789");
  if (start == std::string_view::npos) return std::nullopt;
  return std::stoi(std::string(text.substr(start)));
}

// The item help says how each item's value is counted; the items counted in pixels say it in
// the same lines, and an item's first line, where it states the factory default, states the
// default the window writes in.
TEST(SettingCatalogue, ItemHelpStatesTheDefaultAndThePixelItemsShareTheirHelp) {
  const ItemId pixel_items[] = {ItemId::VerticalReflective, ItemId::VerticalTransmissive,
                                ItemId::CutPosition, ItemId::TearOff, ItemId::PeelPosition};
  for (const Language window : {kCn, kEn}) {
    const Lines pixel_help = Item(window, ItemId::VerticalReflective)->help_lines;
    for (const ItemId id : pixel_items) EXPECT_EQ(Item(window, id)->help_lines, pixel_help);
    for (const SettingItem& item : SettingCatalogue(window)) {
      SCOPED_TRACE(item.text);
      if (item.help != HelpPanel::ItemHelp) continue;
      EXPECT_FALSE(item.help_lines[0].empty());
      EXPECT_EQ(item.shows_help_lines_3_and_4, !item.help_lines[2].empty());
      // Where the form places the help, which nothing else states: 500 twips from the left,
      // 240 for the first row and the English peel position.
      const bool at_left = item.id == ItemId::VerticalReflective ||
                           (window == kEn && item.id == ItemId::PeelPosition);
      EXPECT_EQ(item.help_left_twips, at_left ? 240 : 500);
      const std::string_view first = item.help_lines[0];
      if (first.find("出厂设置数值为") != std::string_view::npos ||
          first.find("factory default value") != std::string_view::npos) {
        EXPECT_EQ(LastNumber(first), LastNumber(item.default_value));
      }
    }
  }
}

// The English choice captions are the choices' names; the Chinese ones say the same in
// Chinese, and the order matters: the first choice sends the first command.
TEST(SettingCatalogue, ChoiceCaptionsFollowTheChoicesNames) {
  for (const ItemId id : {ItemId::Orientation, ItemId::SelfTestLanguage}) {
    const SettingItem& english = *Item(kEn, id);
    for (std::size_t i = 0; i < 2; ++i) {
      std::string caption(english.choices[i]);
      std::ranges::transform(caption, caption.begin(), [](char c) {
        return c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      });
      EXPECT_EQ(caption, NameOfItem(id).choices[i]);
    }
  }
  // The Chinese captions have no other source; swapped, they would send the opposite.
  using Pair = std::array<std::string_view, 2>;
  EXPECT_EQ(Item(kCn, ItemId::Orientation)->choices, (Pair{"反向", "正向"}));
  EXPECT_EQ(Item(kCn, ItemId::SelfTestLanguage)->choices, (Pair{"中文", "English"}));
}

TEST(SettingCatalogue, TextsMatchExactlyAndOnlyInTheirOwnWindow) {
  EXPECT_EQ(FindSettingItem(kCn, ""), nullptr);
  EXPECT_EQ(FindSettingItem(kEn, "最大打印长度设置"), nullptr);
  EXPECT_EQ(FindSettingItem(kCn, "Reset"), nullptr);
  EXPECT_EQ(FindSettingItem(kEn, "reset"), nullptr);
  EXPECT_EQ(FindSettingItem(kEn, "Reset "), nullptr);
  EXPECT_EQ(FindSettingItem(kEn, "Adjust the peeling position of the peeler"), nullptr);
}

// Every value item takes the numbers its Chinese range line states (the printer's own maximum
// print length stands as 9999 mm), its default among them; the English line states the same,
// but for the pages per cut, whose English line has always said 999.
TEST(SettingCatalogue, ValueItemsTakeTheNumbersOfTheirChineseRangeLine) {
  for (const SettingItem& item : SettingCatalogue(kCn)) {
    const std::optional<ValueRange> values = CommandOfItem(item.id).values;
    ASSERT_EQ(values.has_value(), item.input == InputPanel::Value) << item.text;
    if (!values) continue;
    SCOPED_TRACE(item.text);
    EXPECT_EQ(FirstNumber(item.range_line), values->min);
    EXPECT_EQ(LastNumber(item.range_line).value_or(9999), values->max);
    const int default_value = std::stoi(std::string(item.default_value));
    EXPECT_GE(default_value, values->min);
    EXPECT_LE(default_value, values->max);
    if (const SettingItem* english = Item(kEn, item.id)) {
      EXPECT_EQ(FirstNumber(english->range_line), values->min);
      EXPECT_EQ(LastNumber(english->range_line),
                item.id == ItemId::PagesPerCut ? 999 : values->max);
    }
  }
}

}  // namespace
}  // namespace varnok
