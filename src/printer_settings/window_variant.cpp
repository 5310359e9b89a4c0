#include "printer_settings/window_variant.h"

namespace varnok {
namespace {

constexpr std::string_view kChineseCompletion =
    "传送完毕，5秒钟后请关闭打印机开关，再打开打印机开关，启动后做用户级复位操作！";

constexpr WindowVariant kChinese{
    .language = Language::Chinese,
    .drops_driver_language_mark = true,
    .tests_model_for_every_item = false,
    .missing_queue_text = "请选择正确的打印机名称！",
    .missing_queue_title = "找不到打印机",
    .queue_list_failed =
        "列出打印机时打印系统没有响应，因此没有可选择的打印机，设置未发送。"
        "请确认打印服务正在运行，然后关闭此窗口并重新打开。",
    .title = "提示",
    .not_supported = "软件当前版本暂时不支持{model}打印机此项设置，请联系厂家提供最新程序！",
    .completion_notice = kChineseCompletion,
    .cut_count_notice = kChineseCompletion,  // this window has no notice of its own for it
    .user_reset_notice = "用户级复位完成，请重新测纸再继续打印！",
    .value_empty = "请先输入数值！设置未发送。",
    .value_not_a_number = "数值“{value}”不是有效的数字，设置未发送！请输入数字，例如 12 或 -5。",
    .correction_missing = "配置文件 config.ini 中没有型号 {model} 的修正值 {key}，设置未发送！",
    .correction_not_whole_number =
        "配置文件 config.ini 中型号 {model} 的修正值 {key}"
        "（“{value}”）不是 -32768 到 32767 之间的整数，设置未发送！",
};

constexpr WindowVariant kEnglish{
    .language = Language::English,
    .drops_driver_language_mark = false,
    .tests_model_for_every_item = true,
    .missing_queue_text = "Please choose the correct printer name!",
    .missing_queue_title = "Find printer",
    .queue_list_failed =
        "The print system did not answer when the printers were listed, so there is no printer "
        "to choose. Nothing was sent. Check that the print system is running, then close this "
        "window and open it again.",
    .title = "Notice",
    .not_supported =
        "Software current version temporarily not support your printer, please "
        "contact the manufacturer offers latest program!",
    .completion_notice =
        "Finish,after 5 seconds,please turn off the printer, and perform the reset operation!",
    .cut_count_notice =
        "When the transimission is over, please power off the printer 5 seconds "
        "later and then turn it on, press CANCEL button to continue to print.",
    .user_reset_notice = "After reseting, please do a calibration and continue to print!",
    .value_empty = "Please enter a value first. Nothing was sent.",
    .value_not_a_number =
        "The value \"{value}\" is not a number. Nothing was sent. Please enter a number such as "
        "12 or -5.",
    .correction_missing =
        "The settings file config.ini has no correction {key} for the model "
        "{model}. Nothing was sent.",
    .correction_not_whole_number =
        "The correction {key} for the model {model} in the settings file config.ini "
        "(\"{value}\") is not a whole number from -32768 to 32767. Nothing was sent.",
};

}  // namespace

std::string_view WindowVariant::NoticeText(Notice notice) const {
  switch (notice) {
    case Notice::Completion:
      return completion_notice;
    case Notice::CutCount:
      return cut_count_notice;
    case Notice::UserReset:
      return user_reset_notice;
  }
  return completion_notice;
}

const WindowVariant& VariantOf(Language window) {
  return window == Language::Chinese ? kChinese : kEnglish;
}

}  // namespace varnok
