#include "app/menu_captions.h"

namespace varnok {

namespace {

constexpr MenuCaptions kChineseMenus{
    .file = "文件",
    .exit1 = "退出",
    .tools = "工具",
    .printer_config = "打印机设置",
    .update_firmware = "升级Firmware",
    .test = "打印测试",
    .help = "帮助",
    .language = "语言",
    .chinese = "中文",
    .helpdo = "帮助",
    .about = "关于",
    .sendfile_at_startup = "发送文件至打印机",
    .sendfile_after_switching = "发送文件到打印机",
};

constexpr MenuCaptions kEnglishMenus{
    .file = "File",
    .exit1 = "Exit",
    .tools = "Tools",
    .printer_config = "Printer Config",
    .update_firmware = "Update Firmware",
    .test = "Print test",
    .help = "Help",
    .language = "Language",
    .chinese = "Chinese",
    .helpdo = "Help",
    .about = "About",
    .sendfile_at_startup = "Send File to Printer",
    .sendfile_after_switching = "Send a File to Printer ",
};

}  // namespace

const MenuCaptions& MenuCaptionsFor(Language language) {
  return language == Language::Chinese ? kChineseMenus : kEnglishMenus;
}

}  // namespace varnok
