#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/mdi_form1.h"
#include "foundation/ini_file.h"
#include "foundation/language.h"
#include "support/background_delivery.h"
#include "support/fake_spooler.h"
#include "support/message_recorder.h"

namespace varnok::testing {

// A main window started on a config.ini of its own in a fresh temporary folder, on an
// in-memory spooler or (for the tests through a real scheduler) a CupsSpooler.
template <typename SpoolerType>
class MainWindowTestOn : public ::testing::Test {
 protected:
  // Writes config.ini with the given language value, or removes it for nullopt.
  void StoreLanguage(std::optional<std::string_view> value) {
    if (!value) {
      std::remove(config_path_.c_str());
      return;
    }
    std::ofstream file(config_path_, std::ios::binary | std::ios::trunc);
    file << "[LANGUAGE]\r\nLG=" << *value << "\r\n";
  }

  std::string StoredLanguage() const {
    return ReadIniString(config_path_, kLanguageSection, kLanguageKey);
  }

  // Starts the main window; its configuration window has its queue list.
  MDIForm1& Start() {
    frame_ = std::make_unique<MDIForm1>(printer_, messages_, config_path_);
    DeliverBackgroundWork(printer_);
    return *frame_;
  }

  QAction* Action(const char* name) const {
    QAction* action = frame_->findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
  }

  QMenu* Menu(const char* name) const {
    QMenu* menu = frame_->findChild<QMenu*>(name);
    EXPECT_NE(menu, nullptr) << name;
    return menu;
  }

  // Chooses a menu command, lets closed windows go and opened ones list their queues, as the
  // event loop would.
  void Choose(const char* name) {
    Action(name)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DeliverBackgroundWork(printer_);
  }

  QMdiArea& WorkArea() const { return *frame_->findChild<QMdiArea*>(); }

  // The child window with this object name, or nullptr when it is not open.
  QMdiSubWindow* Child(const QString& name) const {
    for (QMdiSubWindow* child : WorkArea().subWindowList()) {
      if (child->isHidden()) continue;
      if (child->objectName() == name || child->widget()->objectName() == name) return child;
    }
    return nullptr;
  }

  // The object names of the open child windows, sorted.
  QStringList OpenWindows() const {
    QStringList names;
    for (QMdiSubWindow* child : WorkArea().subWindowList()) {
      if (child->isHidden()) continue;
      names << (child->objectName().isEmpty() ? child->widget()->objectName()
                                              : child->objectName());
    }
    names.sort();
    return names;
  }

  SpoolerType spooler_;
  MessageRecorder messages_;
  PrinterWorker printer_{spooler_};  // outlives the windows
  QTemporaryDir folder_;
  std::string config_path_ = folder_.filePath("config.ini").toStdString();
  std::unique_ptr<MDIForm1> frame_;
};

using MainWindowTest = MainWindowTestOn<FakeSpooler>;

}  // namespace varnok::testing
