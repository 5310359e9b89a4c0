#include "send_file/send_file_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/twips.h"
#include "recording_sdk.h"
#include "send_file/local_drives.h"
#include "send_file/mounted_volumes.h"
#include "support/background_delivery.h"
#include "support/fake_spooler.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using Strings = std::vector<std::string>;

Strings Texts(const QListWidget* list) {
  Strings texts;
  for (int i = 0; i < list->count(); ++i) {
    texts.push_back(list->item(i)->text().trimmed().toStdString());
  }
  return texts;
}

// The window opens in a folder of its own holding a.prn, b.txt and sub/c.prn.
class SendFileFormTest : public ::testing::Test {
 protected:
  // Runs before the window is made.
  bool Prepare() {
    folder_.Write("a.prn", "a");
    folder_.Write("b.txt", "b");
    std::filesystem::create_directory(folder_.path() + "/sub");
    folder_.Write("sub/c.prn", "c");
    std::filesystem::current_path(folder_.path());
    spooler_.AddQueue("VARNOK_K540");
    return true;
  }
  ~SendFileFormTest() override { std::filesystem::current_path(previous_folder_); }

  template <typename Control>
  Control* Find(const char* name) {
    return form_.findChild<Control*>(name);
  }
  // Activates the folder list's line showing the name.
  void ChooseFolder(const std::string& name) {
    auto* dir1 = Find<QListWidget>("Dir1");
    const auto lines = Texts(dir1);
    const auto at = std::find(lines.begin(), lines.end(), name) - lines.begin();
    emit dir1->itemActivated(dir1->item(static_cast<int>(at)));
  }
  void Send(const char* typed) {
    Find<QLineEdit>("Text2")->setText(typed);
    Find<QPushButton>("Command1")->click();
    testing::DeliverBackgroundWork(printer_);
  }

  const std::filesystem::path previous_folder_ = std::filesystem::current_path();
  testing::TempFolder folder_;
  testing::FakeSpooler spooler_;
  testing::RecordingSdk sdk_;
  testing::MessageRecorder messages_;
  PrinterWorker printer_{spooler_};
  const bool prepared_ = Prepare();
  SendFileForm form_{printer_, sdk_, messages_};
  const bool listed_ =
      (testing::DeliverBackgroundWork(printer_), true);  // the printer list in place
};

TEST_F(SendFileFormTest, ControlsSitInPlaceInTabOrder) {
  EXPECT_EQ(form_.objectName(), "sendfile");
  EXPECT_EQ(form_.windowTitle(), "Send File");
  EXPECT_EQ(form_.size(), TwipsSize(&form_, 6210, 4725));
  const std::vector<std::tuple<const char*, const char*, QRect>> controls = {
      {"Label2", "Model:", {105, 240, 615, 255}},  {"Combo1", nullptr, {720, 120, 3975, 300}},
      {"Label1", "file:", {105, 600, 615, 255}},   {"Text2", "", {720, 600, 5175, 270}},
      {"File1", nullptr, {120, 1200, 2535, 1890}}, {"Dir1", nullptr, {2880, 1200, 3135, 1980}},
      {"Drive1", nullptr, {120, 3360, 2655, 300}}, {"Command1", "Send", {4200, 3480, 1335, 495}}};
  for (const auto& [name, text, twips] : controls) {
    const auto* widget = Find<QWidget>(name);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(widget->geometry(),
              TwipsRect(&form_, twips.x(), twips.y(), twips.width(), twips.height()))
        << name;
    if (text != nullptr) {
      EXPECT_EQ(widget->property("text").toString(), text) << name;
    }
  }
  EXPECT_EQ(Find<QComboBox>("Combo1")->currentText(), "VARNOK_K540");
  EXPECT_FALSE(Find<QLabel>("Label1")->isEnabled());

  Strings order;
  for (QWidget* w = Find<QWidget>("Drive1"); order.size() < 6; w = w->nextInFocusChain()) {
    if (w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty()) {
      order.push_back(w->objectName().toStdString());
    }
  }
  EXPECT_EQ(order, (Strings{"Drive1", "Dir1", "Command1", "File1", "Text2", "Combo1"}));
}

TEST_F(SendFileFormTest, OpensOnTheCurrentFolderAndChoosingFolderAndFileFillsThePath) {
  EXPECT_EQ(Find<QComboBox>("Drive1")->currentText().toStdString(),
            VolumeHolding(LocalDrives(), folder_.path(), FolderSeparator()));
  auto* file1 = Find<QListWidget>("File1");
  EXPECT_EQ(Texts(file1), (Strings{"a.prn", "b.txt"}));

  ChooseFolder("sub");
  EXPECT_EQ(Texts(file1), Strings{"c.prn"});
  emit file1->itemClicked(file1->item(0));
  const char separator = FolderSeparator();
  EXPECT_EQ(Find<QLineEdit>("Text2")->text().toStdString(),
            folder_.path() + separator + "sub" + separator + "c.prn");

  ChooseFolder(testing::Utf8Path(std::filesystem::path(folder_.path()).filename()));  // back up
  EXPECT_EQ(Texts(file1), (Strings{"a.prn", "b.txt"}));
  EXPECT_TRUE(messages_.shown.empty());
}

// The path fills only when the operator chooses a file, never when the list merely takes the focus.
TEST_F(SendFileFormTest, TabbingIntoTheFileListChoosesNothing) {
  form_.show();
  form_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  auto* file1 = Find<QListWidget>("File1");
  auto* text2 = Find<QLineEdit>("Text2");
  const auto chosen = [&] { return std::filesystem::path(text2->text().toStdString()).filename(); };
  const auto tab_in = [&] {
    Find<QPushButton>("Command1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), file1);
  };

  tab_in();
  EXPECT_EQ(text2->text().toStdString(), "");
  QTest::keyClick(file1, Qt::Key_Down);
  EXPECT_EQ(chosen(), "b.txt");
  QTest::keyClick(file1, Qt::Key_Up);
  EXPECT_EQ(chosen(), "a.prn");
  text2->clear();
  QTest::mouseClick(file1->viewport(), Qt::LeftButton, {},
                    file1->visualItemRect(file1->item(0)).center());
  EXPECT_EQ(chosen(), "a.prn");  // the chosen file clicked once more

  text2->clear();
  ChooseFolder("sub");
  tab_in();
  EXPECT_EQ(text2->text().toStdString(), "");
}

TEST_F(SendFileFormTest, AnUnreadableFolderOrDriveIsReportedAndTheListsStay) {
  const Strings folders = Texts(Find<QListWidget>("Dir1"));
  auto* drive1 = Find<QComboBox>("Drive1");
  const QString drive = drive1->currentText();

  std::filesystem::remove_all(folder_.path() + "/sub");
  ChooseFolder("sub");
  drive1->addItem("/no/such/drive");
  drive1->setCurrentIndex(drive1->count() - 1);

  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(
      messages_.shown[0].text.find("The folder \"" + folder_.path() + FolderSeparator() + "sub\""),
      0u);
  EXPECT_EQ(messages_.shown[1].text.find("The drive \"/no/such/drive\" cannot be read"), 0u);
  EXPECT_EQ(drive1->currentText(), drive);
  EXPECT_EQ(Texts(Find<QListWidget>("Dir1")), folders);
  EXPECT_EQ(Texts(Find<QListWidget>("File1")), (Strings{"a.prn", "b.txt"}));
}

TEST_F(SendFileFormTest, SendClearsThePathOnlyWhenTheFileWentOut) {
  Send("");
  EXPECT_TRUE(sdk_.calls.empty());
  Send("  /tmp/a.prn  ");
  EXPECT_EQ(sdk_.calls[2], "VNX_SendFile(/tmp/a.prn)");
  EXPECT_EQ(Find<QLineEdit>("Text2")->text(), "");

  sdk_.next_failure = SdkFailure{SdkError::FileMissing, "VARNOK_K540", "/tmp/b.prn", ""};
  Send("/tmp/b.prn");
  EXPECT_EQ(Find<QLineEdit>("Text2")->text(), "/tmp/b.prn");
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].text, "Please select a file,at first!");
  EXPECT_EQ(messages_.shown[1].text, "The file \"/tmp/b.prn\" does not exist. Nothing was sent.");
}

}  // namespace
}  // namespace varnok
