#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "gui/qt_text.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/window/config_form.h"
#include "spooler/message_boxes.h"
#include "support/background_delivery.h"
#include "support/fake_spooler.h"
#include "support/message_recorder.h"

namespace varnok {

// Names the window in test names and failure messages.
inline void PrintTo(Language window, std::ostream* os) {
  *os << (window == Language::Chinese ? "Form2" : "Form3_en");
}

inline void PrintTo(const Message& message, std::ostream* os) {
  *os << "{\"" << message.text << "\", \"" << message.title << "\", icon "
      << static_cast<int>(message.icon) << "}";
}

}  // namespace varnok

namespace varnok::testing {

// A configuration window of the parameter's language, opened on a fake spooler.
class ConfigFormTest : public ::testing::TestWithParam<Language> {
 protected:
  Language window() const { return GetParam(); }

  // Opens the window, its queue list in place.
  ConfigForm& Open() {
    form_ = std::make_unique<ConfigForm>(window(), printer_, messages_, "config.ini");
    DeliverBackgroundWork(printer_);
    return *form_;
  }

  template <typename Widget = QWidget>
  Widget* Control(const QString& name) const {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }

  // Whether the control is shown within the window (the window itself need not be on screen).
  bool Shown(const QString& name) const { return Control(name)->isVisibleTo(form_.get()); }

  const SettingItem& Item(ItemId id) const {
    for (const SettingItem& item : SettingCatalogue(window())) {
      if (item.id == id) return item;
    }
    ADD_FAILURE() << "no such item in this window";
    return SettingCatalogue(window()).front();
  }

  // Picks the item in Combo1 the way the user does: the list changes, then reports the pick.
  void Pick(ItemId id) {
    auto* items = Control<QComboBox>("Combo1");
    const int index = items->findText(QtText(Item(id).text));
    ASSERT_GE(index, 0);
    items->setCurrentIndex(index);
    emit items->activated(index);
  }

  FakeSpooler spooler_;
  MessageRecorder messages_;
  PrinterWorker printer_{spooler_};
  std::unique_ptr<ConfigForm> form_;
};

inline QStringList Entries(const QComboBox& list) {
  QStringList entries;
  for (int i = 0; i < list.count(); ++i) entries << list.itemText(i);
  return entries;
}

}  // namespace varnok::testing
