#include "printer_settings/setting_catalogue.h"

#include <algorithm>

namespace varnok {
namespace {

// Left of the lower slot's help panel; the two items with the longest first lines use the
// wider panel placement.
constexpr int kHelpLeft = 500;
constexpr int kHelpLeftWide = 240;

using HelpLines = std::array<std::string_view, 4>;
using Pair = std::array<std::string_view, 2>;

// A value item whose lower slot shows the item help panel; lines 3 and 4 show when present.
constexpr SettingItem ValueWithHelp(ItemId id, std::string_view text,
                                    std::string_view default_value, std::string_view range_line,
                                    const HelpLines& lines, int help_left = kHelpLeft) {
  return {id,
          text,
          InputPanel::Value,
          default_value,
          range_line,
          HelpPanel::ItemHelp,
          help_left,
          lines,
          !lines[2].empty(),
          {},
          {}};
}

// A value item whose lower slot shows a notes panel with fixed lines.
constexpr SettingItem ValueWithNotes(ItemId id, std::string_view text,
                                     std::string_view default_value, std::string_view range_line,
                                     HelpPanel notes) {
  return {id, text, InputPanel::Value, default_value, range_line, notes, kHelpLeft, {}, false,
          {}, {}};
}

constexpr SettingItem NetworkItem(std::string_view text, const HelpLines& lines) {
  return {ItemId::Network,
          text,
          InputPanel::Network,
          {},
          {},
          HelpPanel::ItemHelp,
          kHelpLeft,
          lines,
          true,
          {},
          {}};
}

constexpr SettingItem ChoiceItem(ItemId id, std::string_view text, HelpPanel notes,
                                 const Pair& choices) {
  return {id, text, InputPanel::Choice, {}, {}, notes, kHelpLeft, {}, false, choices, {}};
}

constexpr SettingItem ResetItem(ItemId id, std::string_view text, const Pair& notes) {
  return {id, text, InputPanel::Placeholder, {}, {}, HelpPanel::ResetNotes, kHelpLeft, {}, false,
          {}, notes};
}

// The Chinese window.
constexpr std::string_view kPixelRange = "输入范围：-99 ～ 99";
constexpr HelpLines kPixelHelp{"1.1、出厂设置数值为：0", "2、输入的数值单位为象素点。",
                               "VARNOK K540 200DPI/M-4410/RS5，8象素点为1MM",
                               "VARNOK K540 300DPI/M-6610/RS7，12象素点为1MM"};

constexpr SettingItem kChineseItems[] = {
    ValueWithHelp(ItemId::VerticalReflective, "打印垂直位置调整（反射式）", "0", kPixelRange,
                  kPixelHelp, kHelpLeftWide),
    ValueWithHelp(ItemId::VerticalTransmissive, "打印垂直位置调整（穿透式）", "0", kPixelRange,
                  kPixelHelp),
    ValueWithHelp(ItemId::MaxPrintLength, "最大打印长度设置", "0", "输入范围：0 ～ 允许最大值",
                  {"1、只适用于K540系列V3.05以上版本", "2、输入的数值单位为毫米",
                   "3、K540低于V3.05版本的，请咨询瓦诺克工程师", "4、其他型号请咨询瓦诺克工程师"}),
    ValueWithHelp(ItemId::CutPosition, "切刀切断位置调整", "0", kPixelRange, kPixelHelp),
    ValueWithHelp(ItemId::PagesPerCut, "切刀切的张数调整", "001", "输入范围：001 ～ 050",
                  {"1.1、出厂设置数值为：1", "2、输入的数值单位为张数"}),
    ValueWithHelp(ItemId::BladeStop, "切刀刀片位置调整", "0", "输入范围：-20 ～ 20",
                  {"1.1、出厂设置数值为：0", "2、输入的数值单位为毫秒。", "建议设置值：0，-10，-2",
                   "改变此值前建议先咨询VARNOK工程师。"}),
    ValueWithHelp(ItemId::TearOff, "回卷撕纸位置调整", "0", kPixelRange, kPixelHelp),
    ValueWithNotes(ItemId::SensorSensitivity, "探测器灵敏度设定", "12", "输入范围：1 ～ 24",
                   HelpPanel::SensitivityNotes),
    ValueWithNotes(ItemId::SensorPrecision, "探测器精度设定", "10", "输入范围：01 ～ 99",
                   HelpPanel::PrecisionNotes),
    NetworkItem("打印机网卡设置",
                {"1.请输入正确的IP地址、子网掩码、网关", "2.如果不清楚数值，请联络网络管理员",
                 "端口默认值为：9100", "可通过打印自检页来查询设置是否生效"}),
    ChoiceItem(ItemId::Orientation, "打印方向设定", HelpPanel::OrientationNotes, {"反向", "正向"}),
    ChoiceItem(ItemId::SelfTestLanguage, "自检信息语言设定", HelpPanel::GeneralNotes,
               {"中文", "English"}),
    ValueWithHelp(ItemId::PeelPosition, "剥纸位置调整", "0", kPixelRange, kPixelHelp),
    ResetItem(ItemId::UserReset, "用户级复位",
              {"1、复位后请重新做测纸，此复位方法只对FIRMWARE为2.83以上版本有效，低于此版本请用"
               "按键复位。",
               "2、此复位与用户通过打印机按键操作复位的结果相同。"}),
    ResetItem(ItemId::AdvancedReset, "高级复位",
              {"1、此项复位高于用户级复位。", "2、操作将会复位本软件其他功能的所有设置。"}),
};

// The English window: no maximum print length, and its own range and dpi lines.
constexpr std::string_view kPixelRangeEn = "Range:-99 ～ 99";
constexpr HelpLines kPixelHelpEn{"1.The factory default value:0",
                                 "2.The input value is counted by pixels",
                                 "K540 200DPI/M-4410/R5/RS5, 8 pixels equals to 1mm.",
                                 "K540 300DPI/M-6610/R7/RS7, 12 pixels equals to 1mm."};

constexpr SettingItem kEnglishItems[] = {
    ValueWithHelp(ItemId::VerticalReflective, "Adjust the vertical printing position (reflective)",
                  "0", kPixelRangeEn, kPixelHelpEn, kHelpLeftWide),
    ValueWithHelp(ItemId::VerticalTransmissive,
                  "Adjust the vertical printing position (transmissive)", "0", kPixelRangeEn,
                  kPixelHelpEn),
    ValueWithHelp(ItemId::CutPosition, "Adjust the cutting position of the cutter", "0",
                  kPixelRangeEn, kPixelHelpEn),
    ValueWithHelp(ItemId::PagesPerCut, "Set the number of pages per cutting", "001",
                  "Range:001 ～ 999",
                  {"1.The factory default value: 1", "2.The input value is the pages per cutting"}),
    ValueWithHelp(ItemId::BladeStop, "Adjust the stop position of the cutter blade", "0",
                  "Range:-20 ～ 20",
                  {"1.The factory default value:0", "2.The input value is measured in millisecond.",
                   "Recommended value:0, -10, -2",
                   "Consult a Varnok service provider before changing the value."}),
    ValueWithHelp(ItemId::TearOff, "Adjust the back feed tear off position", "0", kPixelRangeEn,
                  kPixelHelpEn),
    ValueWithNotes(ItemId::SensorSensitivity, "Set the sensitivity of the media sensor", "12",
                   "Range:1 ～ 24", HelpPanel::SensitivityNotes),
    ValueWithNotes(ItemId::SensorPrecision, "Set the precision of the media sensor", "10",
                   "Range:01 ～ 99", HelpPanel::PrecisionNotes),
    NetworkItem("Set Printer nic",
                {"1.Please input the correct IP address, subnet mask, gateways",
                 "2.If you don't know, please contact LAN administrator", "Port default value:9100",
                 "You can pass the printing self-check page to query setting whether effect"}),
    ChoiceItem(ItemId::Orientation, "Set the printing orientations", HelpPanel::OrientationNotes,
               {"Bottom to Top", "Top to Bottom"}),
    ChoiceItem(ItemId::SelfTestLanguage, "Set the language of the self-test report",
               HelpPanel::GeneralNotes, {"Chinese", "English"}),
    ValueWithHelp(ItemId::PeelPosition, "Adjusting the peeling position of the peeler", "0",
                  kPixelRangeEn, kPixelHelpEn, kHelpLeftWide),
    ResetItem(ItemId::UserReset, "Reset",
              {"1.Do a calibration after this action.This action is only valid to the version of "
               "firmware higher than 2.83 (include 2.83).",
               "2.The result of this action is the same as what you did on the front panel."}),
    ResetItem(ItemId::AdvancedReset, "The advanced reset",
              {"1.This reset is more advanced than the reset performed by pressing buttons on the "
               "front panel.",
               "2.This action will reset all the parameters, please adjusting the parameters you "
               "want."}),
};

}  // namespace

std::span<const SettingItem> SettingCatalogue(Language window) {
  if (window == Language::Chinese) return kChineseItems;
  return kEnglishItems;
}

const SettingItem* FindSettingItem(Language window, std::string_view text) {
  const std::span<const SettingItem> items = SettingCatalogue(window);
  const auto item = std::ranges::find(items, text, &SettingItem::text);
  return item == items.end() ? nullptr : &*item;
}

}  // namespace varnok
