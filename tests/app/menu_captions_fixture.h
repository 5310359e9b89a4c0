#pragma once

// The main window's menu captions and check marks, checked against the program's own caption
// table and the shape every menu must have.

#include <QKeySequence>
#include <QMenuBar>
#include <QSet>
#include <string_view>

#include "app/menu_captions.h"
#include "main_window_fixture.h"

namespace varnok::testing {

// Each menu and item and the caption it shows; the item English has its design caption.
struct CaptionSource {
  const char* name;
  std::string_view MenuCaptions::*caption;
};

inline constexpr CaptionSource kCaptionSources[] = {
    {"file", &MenuCaptions::file},
    {"exit1", &MenuCaptions::exit1},
    {"Tools", &MenuCaptions::tools},
    {"PrinterConfig", &MenuCaptions::printer_config},
    {"UpdateFirmware", &MenuCaptions::update_firmware},
    {"test", &MenuCaptions::test},
    {"Help", &MenuCaptions::help},
    {"LANGUAGE", &MenuCaptions::language},
    {"Chinese", &MenuCaptions::chinese},
    {"Helpdo", &MenuCaptions::helpdo},
    {"About", &MenuCaptions::about},
};

class MenuCaptionsTest : public MainWindowTest {
 protected:
  QString CaptionOf(const char* name) const {
    if (auto* menu = frame_->findChild<QMenu*>(name)) return menu->title();
    return Action(name)->text();
  }

  void ExpectMenusIn(Language language, const char* sendfile_caption) {
    const MenuCaptions& captions = MenuCaptionsFor(language);
    for (const CaptionSource& source : kCaptionSources) {
      EXPECT_EQ(CaptionOf(source.name).toStdString(), captions.*source.caption) << source.name;
    }
    EXPECT_EQ(CaptionOf("English").toStdString(), kEnglishItemCaption);
    EXPECT_EQ(Action("Sendfile_cn")->text().toStdString(), sendfile_caption);
    EXPECT_EQ(Action("Chinese")->isChecked(), language == Language::Chinese);
    EXPECT_EQ(Action("English")->isChecked(), language == Language::English);
    ExpectMenusTellTheirItemsApart();
  }

  // In the menu bar and every menu, each item has a caption and an access key of its own.
  void ExpectMenusTellTheirItemsApart() const {
    ExpectItemsApart(frame_->menuBar()->actions());
    for (const QMenu* menu : frame_->findChildren<QMenu*>()) ExpectItemsApart(menu->actions());
  }

  static void ExpectItemsApart(const QList<QAction*>& items) {
    QSet<QString> captions;
    QSet<QKeySequence> keys;
    for (const QAction* action : items) {
      if (action->isSeparator()) continue;
      const QString caption = action->menu() ? action->menu()->title() : action->text();
      EXPECT_FALSE(caption.isEmpty()) << action->objectName().toStdString();
      EXPECT_FALSE(captions.contains(caption)) << caption.toStdString();
      captions.insert(caption);
      const QKeySequence key = QKeySequence::mnemonic(caption);
      if (key.isEmpty()) continue;
      EXPECT_FALSE(keys.contains(key)) << caption.toStdString();
      keys.insert(key);
    }
  }
};

}  // namespace varnok::testing
