#include "about/about_form.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <string>
#include <tuple>
#include <vector>

#include "about/system_info.h"
#include "fake_launcher.h"
#include "gui/twips.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

// Without a settings file: both texts empty.
class AboutFormTest : public ::testing::Test {
 protected:
  AboutForm* NewForm() {
    return new AboutForm(folder_.path() + "/config.ini", launcher_, messages_);
  }
  testing::TempFolder folder_;
  testing::FakeLauncher launcher_;
  testing::MessageRecorder messages_;
};

TEST_F(AboutFormTest, ShowsNameVersionDateAndEmptyTextsWithoutSettings) {
  const std::unique_ptr<AboutForm> form(NewForm());
  EXPECT_EQ(form->objectName(), "frmAbout");
  EXPECT_EQ(form->windowTitle(), "About VarnoK Utility");
  EXPECT_EQ(form->minimumSize(), TwipsSize(form.get(), 5850, 5040));
  EXPECT_EQ(form->maximumSize(), form->minimumSize());
  const std::vector<std::tuple<const char*, const char*, QRect>> controls = {
      {"picIcon", nullptr, {0, 0, 2400, 450}},
      {"lblTitle", "VarnoK Printer Utility 2.0", {1320, 840, 3525, 360}},
      {"lblDescription", "", {1560, 1560, 2445, 330}},
      {"lblDisclaimer", "", {1680, 1920, 2295, 315}},
      {"Label3", "2013.11.", {600, 3360, 2655, 255}},
      {"cmdOK", "OK", {3360, 2640, 1500, 345}},
      {"cmdSysInfo", "SYSTEM", {3360, 3120, 1485, 345}}};
  for (const auto& [name, text, twips] : controls) {
    const auto* widget = form->findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(widget->geometry(),
              TwipsRect(form.get(), twips.x(), twips.y(), twips.width(), twips.height()))
        << name;
    if (text != nullptr) {
      EXPECT_EQ(widget->property("text").toString(), text) << name;
    }
  }
  EXPECT_EQ(form->findChild<QLabel*>("picIcon")->pixmap().size(), QSize(160, 30));
  const QFont title = form->findChild<QLabel*>("lblTitle")->font();
  EXPECT_EQ(title.families().value(0), "宋体");
  EXPECT_EQ(title.pointSize(), 12);
  EXPECT_TRUE(title.bold());
}

TEST_F(AboutFormTest, OkEscAndEnterCloseTheSubWindowEnterOnSystemPressesSystem) {
  const std::vector<std::tuple<const char*, Qt::Key, bool>> cases = {
      {"cmdOK", Qt::Key_Space, true},
      {"cmdOK", Qt::Key_Return, true},
      {"cmdSysInfo", Qt::Key_Escape, true},
      {"cmdSysInfo", Qt::Key_Enter, false}};
  for (const auto& [focus, key, closes] : cases) {
    QMdiArea area;
    QMdiSubWindow* frame = area.addSubWindow(NewForm());
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    auto* button = frame->widget()->findChild<QPushButton*>(focus);
    button->setFocus();
    QTest::keyClick(button, key);
    EXPECT_EQ(frame->isVisible(), !closes) << focus << " " << key;
  }
  EXPECT_EQ(launcher_.started.size() + messages_.shown.size(), 1u);  // SYSTEM ran once
}

TEST_F(AboutFormTest, SystemWithNoProgramFoundShowsTheUnavailableMessage) {
  const std::unique_ptr<AboutForm> form(NewForm());
  // Linux looks on PATH; Windows where the registry says, which wine's prefix leaves empty.
  const QByteArray search_path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(folder_.path()));
  form->findChild<QPushButton*>("cmdSysInfo")->click();
  qputenv("PATH", search_path);

  EXPECT_TRUE(launcher_.started.empty());
  EXPECT_EQ(messages_.shown, (std::vector<Message>{{"此时系统信息不可用", "VarnoK Utility",
                                                    MessageIcon::None, MessageButtons::Ok}}));
}

}  // namespace
}  // namespace varnok
