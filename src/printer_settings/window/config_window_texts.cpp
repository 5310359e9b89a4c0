#include "printer_settings/window/config_window_texts.h"

namespace varnok {

namespace {

constexpr ConfigWindowTexts kChineseWindow{
    .object_name = "Form2",
    .caption = "高级设置",
    .model_label = " 型号：",
    .model_list_left = 1440,
    .model_list_width = 3135,
    .item_label = "设置类型：",
    .item_list_left = 1440,
    .item_list_width = 3735,
    .options_caption = "具体选项",
    .placeholder_note = "请参考下面说明!",
    .value_label = "数值：",
    .network_caption = "具体选项",
    .network_panel_width = 3375,
    .network_row_label_width = 960,
    .network_row_labels = {"IP地址：", "子网掩码：", "网关：", "端口："},
    .network_tab_order = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
    .ok_caption = "OK",
    .ok_left = 3720,
    .notes_caption = "--说---明--",
    .methods_caption = "设置方法",
    .general_notes = {"1、首先请确认您已经正确的安装了打印机驱动。",
                      "2、打印机驱动名称和软件型号列表名称一致！", "3、请选择需要设置的选项。",
                      "4、点击 OK 确认。"},
    .sensitivity_notes = {"1、出厂设置数值为：08", "2、建议值为：08，12，16",
                          "3、调高此值，会增加机器打印位置的误差。"},
    .precision_notes = {"1、出厂设置数值为：05", "2、建议值为：05，10，15",
                        "3、调高此值，会增加机器打印位置的误差。"},
    .orientation_notes = {"1、K/M系列打印机默认反向；RS系列默认正向",
                          "2、建议用户不做此设置，可直接在编辑软件里面做旋转"},
    .reset_confirm_line = "3、点击 OK 确认。",
    .item_help_lines_3_and_4_red = false,
    .text_font_family = "",
    .list_font_family = "",
};

constexpr ConfigWindowTexts kEnglishWindow{
    .object_name = "Form3_en",
    .caption = "Print Config",
    .model_label = "Model:",
    .model_list_left = 960,
    .model_list_width = 3255,
    .item_label = "Settings:",
    .item_list_left = 960,
    .item_list_width = 5055,
    .options_caption = "Options",
    .placeholder_note = "",
    .value_label = "Value:",
    .network_caption = "",
    .network_panel_width = 3975,
    .network_row_label_width = 1140,
    .network_row_labels = {"IP address\n:", "Subnet Mask", "Gateway\n:", "Port:"},
    .network_tab_order = {14, 13, 12, 11, 9, 8, 7, 5, 4, 3, 10, 6, 2},
    .ok_caption = "OK",
    .ok_left = 3840,
    .notes_caption = "--Note--",
    .methods_caption = "Methods",
    .general_notes = {"1.\tPlease make sure the printer driver has been correctly installed.",
                      "2.\tSelect the printer model", "3.\tSelect the language needed.",
                      "4.Click \"OK\" button."},
    .sensitivity_notes = {"1.\tThe factory default value:08", "2.Recommended value:08,12,16",
                          "3.\tBy raising this value, the error rate of the printing position "
                          "will be increased."},
    .precision_notes = {"1.\tThe factory default value:05", "2.Recommended value: 05,10,15",
                        "3.\tBy raising this value, the error rate of the printing position "
                        "will be increased."},
    .orientation_notes = {"1.The default setting of K/M series printers is \"Bottom to Top\", "
                          "the default setting of R/RS series is \"Top to bottom\"",
                          "2.It is not suggest set in this software. The printing orientation "
                          "can be rotated in the label design software."},
    .reset_confirm_line = "3.Click \"OK\" button.",
    .item_help_lines_3_and_4_red = true,
    .text_font_family = "Arial",
    .list_font_family = "宋体",
};

}  // namespace

const ConfigWindowTexts& ConfigWindowTextsFor(Language window) {
  return window == Language::Chinese ? kChineseWindow : kEnglishWindow;
}

}  // namespace varnok
