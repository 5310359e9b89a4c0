#pragma once

// The main window's menu captions and check marks, checked against the table of both languages.

#include <vector>

#include "main_window_fixture.h"

namespace varnok::testing {

struct Caption {
  const char* name;
  const char* chinese;
  const char* english;
};

// Every menu caption the two languages set; English keeps "English" in both.
inline const std::vector<Caption> kMenuCaptions = {
    {"file", "文件", "File"},
    {"exit1", "退出", "Exit"},
    {"Tools", "工具", "Tools"},
    {"PrinterConfig", "打印机设置", "Printer Config"},
    {"UpdateFirmware", "升级Firmware", "Update Firmware"},
    {"test", "打印测试", "Print test"},
    {"Help", "帮助", "Help"},
    {"LANGUAGE", "语言", "Language"},
    {"Chinese", "中文", "Chinese"},
    {"English", "English", "English"},
    {"Helpdo", "帮助", "Help"},
    {"About", "关于", "About"},
};

class MenuCaptionsTest : public MainWindowTest {
 protected:
  QString CaptionOf(const char* name) const {
    if (auto* menu = frame_->findChild<QMenu*>(name)) return menu->title();
    return Action(name)->text();
  }

  void ExpectMenusIn(Language language, const char* sendfile_caption) {
    for (const Caption& caption : kMenuCaptions) {
      EXPECT_EQ(CaptionOf(caption.name).toStdString(),
                language == Language::Chinese ? caption.chinese : caption.english)
          << caption.name;
    }
    EXPECT_EQ(Action("Sendfile_cn")->text().toStdString(), sendfile_caption);
    EXPECT_EQ(Action("Chinese")->isChecked(), language == Language::Chinese);
    EXPECT_EQ(Action("English")->isChecked(), language == Language::English);
  }
};

}  // namespace varnok::testing
