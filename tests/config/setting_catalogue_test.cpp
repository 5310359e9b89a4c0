#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "config/item_commands.h"
#include "config/setting_catalogue.h"
#include "config/setting_item.h"
#include "support/language_shorthands.h"

namespace varnok {
namespace {

using Lines = std::array<std::string_view, 4>;

struct ListEntry {
  ItemId id;
  std::string_view text;
  InputPanel input;
  HelpPanel help;
  std::string_view default_value;
  std::string_view range_line;
};

void ExpectList(Language window, const std::vector<ListEntry>& expected) {
  const auto items = SettingCatalogue(window);
  ASSERT_EQ(items.size(), expected.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(items[i].id, expected[i].id);
    EXPECT_EQ(items[i].text, expected[i].text);
    EXPECT_EQ(items[i].input, expected[i].input);
    EXPECT_EQ(items[i].help, expected[i].help);
    EXPECT_EQ(items[i].default_value, expected[i].default_value);
    EXPECT_EQ(items[i].range_line, expected[i].range_line);
    EXPECT_EQ(FindSettingItem(window, expected[i].text), &items[i]);
  }
}

constexpr auto kValue = InputPanel::Value;
constexpr auto kItemHelp = HelpPanel::ItemHelp;

TEST(SettingCatalogue, ChineseListInOrder) {
  ExpectList(
      Language::Chinese,
      {
          {ItemId::VerticalReflective, "打印垂直位置调整（反射式）", kValue, kItemHelp, "0",
           "输入范围：-99 ～ 99"},
          {ItemId::VerticalTransmissive, "打印垂直位置调整（穿透式）", kValue, kItemHelp, "0",
           "输入范围：-99 ～ 99"},
          {ItemId::MaxPrintLength, "最大打印长度设置", kValue, kItemHelp, "0",
           "输入范围：0 ～ 允许最大值"},
          {ItemId::CutPosition, "切刀切断位置调整", kValue, kItemHelp, "0", "输入范围：-99 ～ 99"},
          {ItemId::PagesPerCut, "切刀切的张数调整", kValue, kItemHelp, "001",
           "输入范围：001 ～ 050"},
          {ItemId::BladeStop, "切刀刀片位置调整", kValue, kItemHelp, "0", "输入范围：-20 ～ 20"},
          {ItemId::TearOff, "回卷撕纸位置调整", kValue, kItemHelp, "0", "输入范围：-99 ～ 99"},
          {ItemId::SensorSensitivity, "探测器灵敏度设定", kValue, HelpPanel::SensitivityNotes, "12",
           "输入范围：1 ～ 24"},
          {ItemId::SensorPrecision, "探测器精度设定", kValue, HelpPanel::PrecisionNotes, "10",
           "输入范围：01 ～ 99"},
          {ItemId::Network, "打印机网卡设置", InputPanel::Network, kItemHelp, "", ""},
          {ItemId::Orientation, "打印方向设定", InputPanel::Choice, HelpPanel::OrientationNotes, "",
           ""},
          {ItemId::SelfTestLanguage, "自检信息语言设定", InputPanel::Choice,
           HelpPanel::GeneralNotes, "", ""},
          {ItemId::PeelPosition, "剥纸位置调整", kValue, kItemHelp, "0", "输入范围：-99 ～ 99"},
          {ItemId::UserReset, "用户级复位", InputPanel::Placeholder, HelpPanel::ResetNotes, "", ""},
          {ItemId::AdvancedReset, "高级复位", InputPanel::Placeholder, HelpPanel::ResetNotes, "",
           ""},
      });
}

TEST(SettingCatalogue, EnglishListInOrder) {
  ExpectList(
      Language::English,
      {
          {ItemId::VerticalReflective, "Adjust the vertical printing position (reflective)", kValue,
           kItemHelp, "0", "Range:-99 ～ 99"},
          {ItemId::VerticalTransmissive, "Adjust the vertical printing position (transmissive)",
           kValue, kItemHelp, "0", "Range:-99 ～ 99"},
          {ItemId::CutPosition, "Adjust the cutting position of the cutter", kValue, kItemHelp, "0",
           "Range:-99 ～ 99"},
          {ItemId::PagesPerCut, "Set the number of pages per cutting", kValue, kItemHelp, "001",
           "Range:001 ～ 999"},
          {ItemId::BladeStop, "Adjust the stop position of the cutter blade", kValue, kItemHelp,
           "0", "Range:-20 ～ 20"},
          {ItemId::TearOff, "Adjust the back feed tear off position", kValue, kItemHelp, "0",
           "Range:-99 ～ 99"},
          {ItemId::SensorSensitivity, "Set the sensitivity of the media sensor", kValue,
           HelpPanel::SensitivityNotes, "12", "Range:1 ～ 24"},
          {ItemId::SensorPrecision, "Set the precision of the media sensor", kValue,
           HelpPanel::PrecisionNotes, "10", "Range:01 ～ 99"},
          {ItemId::Network, "Set Printer nic", InputPanel::Network, kItemHelp, "", ""},
          {ItemId::Orientation, "Set the printing orientations", InputPanel::Choice,
           HelpPanel::OrientationNotes, "", ""},
          {ItemId::SelfTestLanguage, "Set the language of the self-test report", InputPanel::Choice,
           HelpPanel::GeneralNotes, "", ""},
          {ItemId::PeelPosition, "Adjusting the peeling position of the peeler", kValue, kItemHelp,
           "0", "Range:-99 ～ 99"},
          {ItemId::UserReset, "Reset", InputPanel::Placeholder, HelpPanel::ResetNotes, "", ""},
          {ItemId::AdvancedReset, "The advanced reset", InputPanel::Placeholder,
           HelpPanel::ResetNotes, "", ""},
      });
}

const SettingItem& Item(Language window, ItemId id) {
  for (const SettingItem& item : SettingCatalogue(window)) {
    if (item.id == id) return item;
  }
  throw std::out_of_range("no such item");
}

struct HelpCase {
  ItemId id;
  Language window;
  Lines lines;
  int left;
};

constexpr Lines kPixelCn{"1.1、出厂设置数值为：0", "2、输入的数值单位为象素点。",
                         "VARNOK K540 200DPI/M-4410/RS5，8象素点为1MM",
                         "VARNOK K540 300DPI/M-6610/RS7，12象素点为1MM"};
constexpr Lines kPixelEn{"1.The factory default value:0", "2.The input value is counted by pixels",
                         "K540 200DPI/M-4410/R5/RS5, 8 pixels equals to 1mm.",
                         "K540 300DPI/M-6610/R7/RS7, 12 pixels equals to 1mm."};

TEST(SettingCatalogue, ItemHelpLinesAndPlacement) {
  const HelpCase cases[] = {
      {ItemId::VerticalReflective, kCn, kPixelCn, 240},
      {ItemId::VerticalReflective, kEn, kPixelEn, 240},
      {ItemId::VerticalTransmissive, kCn, kPixelCn, 500},
      {ItemId::VerticalTransmissive, kEn, kPixelEn, 500},
      {ItemId::CutPosition, kCn, kPixelCn, 500},
      {ItemId::CutPosition, kEn, kPixelEn, 500},
      {ItemId::TearOff, kCn, kPixelCn, 500},
      {ItemId::TearOff, kEn, kPixelEn, 500},
      {ItemId::PeelPosition, kCn, kPixelCn, 500},
      {ItemId::PeelPosition, kEn, kPixelEn, 240},
      {ItemId::MaxPrintLength,
       kCn,
       {"1、只适用于K540系列V3.05以上版本", "2、输入的数值单位为毫米",
        "3、K540低于V3.05版本的，请咨询瓦诺克工程师", "4、其他型号请咨询瓦诺克工程师"},
       500},
      {ItemId::PagesPerCut, kCn, {"1.1、出厂设置数值为：1", "2、输入的数值单位为张数"}, 500},
      {ItemId::PagesPerCut,
       kEn,
       {"1.The factory default value: 1", "2.The input value is the pages per cutting"},
       500},
      {ItemId::BladeStop,
       kCn,
       {"1.1、出厂设置数值为：0", "2、输入的数值单位为毫秒。", "建议设置值：0，-10，-2",
        "改变此值前建议先咨询VARNOK工程师。"},
       500},
      {ItemId::BladeStop,
       kEn,
       {"1.The factory default value:0", "2.The input value is measured in millisecond.",
        "Recommended value:0, -10, -2",
        "Consult a Varnok service provider before changing the value."},
       500},
      {ItemId::Network,
       kCn,
       {"1.请输入正确的IP地址、子网掩码、网关", "2.如果不清楚数值，请联络网络管理员",
        "端口默认值为：9100", "可通过打印自检页来查询设置是否生效"},
       500},
      {ItemId::Network,
       kEn,
       {"1.Please input the correct IP address, subnet mask, gateways",
        "2.If you don't know, please contact LAN administrator", "Port default value:9100",
        "You can pass the printing self-check page to query setting whether effect"},
       500},
  };
  for (const HelpCase& c : cases) {
    const SettingItem& item = Item(c.window, c.id);
    SCOPED_TRACE(item.text);
    EXPECT_EQ(item.help_lines, c.lines);
    EXPECT_EQ(item.help_left_twips, c.left);
    EXPECT_EQ(item.shows_help_lines_3_and_4, c.id != ItemId::PagesPerCut);
  }
}

TEST(SettingCatalogue, ChoiceCaptionsAndResetNotes) {
  using Pair = std::array<std::string_view, 2>;
  EXPECT_EQ(Item(kCn, ItemId::Orientation).choices, (Pair{"反向", "正向"}));
  EXPECT_EQ(Item(kEn, ItemId::Orientation).choices, (Pair{"Bottom to Top", "Top to Bottom"}));
  EXPECT_EQ(Item(kCn, ItemId::SelfTestLanguage).choices, (Pair{"中文", "English"}));
  EXPECT_EQ(Item(kEn, ItemId::SelfTestLanguage).choices, (Pair{"Chinese", "English"}));
  EXPECT_EQ(Item(kCn, ItemId::UserReset).reset_notes,
            (Pair{"1、复位后请重新做测纸，此复位方法只对FIRMWARE为2.83以上版本有效，低于此版本请"
                  "用按键复位。",
                  "2、此复位与用户通过打印机按键操作复位的结果相同。"}));
  EXPECT_EQ(Item(kEn, ItemId::UserReset).reset_notes,
            (Pair{"1.Do a calibration after this action.This action is only valid to the version "
                  "of firmware higher than 2.83 (include 2.83).",
                  "2.The result of this action is the same as what you did on the front panel."}));
  EXPECT_EQ(Item(kCn, ItemId::AdvancedReset).reset_notes,
            (Pair{"1、此项复位高于用户级复位。", "2、操作将会复位本软件其他功能的所有设置。"}));
  EXPECT_EQ(Item(kEn, ItemId::AdvancedReset).reset_notes,
            (Pair{"1.This reset is more advanced than the reset performed by pressing buttons on "
                  "the front panel.",
                  "2.This action will reset all the parameters, please adjusting the parameters "
                  "you want."}));
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
// print length stands as 9999 mm); no other item takes a number.
TEST(SettingCatalogue, ValueItemsTakeTheNumbersOfTheirChineseRangeLine) {
  struct Range {
    ItemId item;
    int min, max;
  };
  const Range ranges[] = {
      {ItemId::VerticalReflective, -99, 99},
      {ItemId::VerticalTransmissive, -99, 99},
      {ItemId::MaxPrintLength, 0, 9999},
      {ItemId::CutPosition, -99, 99},
      {ItemId::PagesPerCut, 1, 50},
      {ItemId::BladeStop, -20, 20},
      {ItemId::TearOff, -99, 99},
      {ItemId::SensorSensitivity, 1, 24},
      {ItemId::SensorPrecision, 1, 99},
      {ItemId::PeelPosition, -99, 99},
  };
  for (const SettingItem& item : SettingCatalogue(Language::Chinese)) {
    const std::optional<ValueRange> values = CommandOfItem(item.id).values;
    const auto expected = std::ranges::find(ranges, item.id, &Range::item);
    ASSERT_EQ(values.has_value(), item.input == InputPanel::Value) << item.text;
    ASSERT_EQ(expected != std::end(ranges), values.has_value()) << item.text;
    if (!values) continue;
    EXPECT_EQ(values->min, expected->min) << item.text;
    EXPECT_EQ(values->max, expected->max) << item.text;
  }
}

}  // namespace
}  // namespace varnok
