// Menu commands and the child windows of the main window.
#include <QComboBox>

#include "gui/twips.h"
#include "main_window_fixture.h"

namespace varnok::testing {
namespace {

using Names = QStringList;

TEST_F(MainWindowTest, LanguageCommandLeavesOtherWindowsAsTheyAre) {
  StoreLanguage("CHINESE");
  Start();
  Choose("About");
  QMdiSubWindow* about = Child("frmAbout");
  Choose("English");
  EXPECT_EQ(Child("frmAbout"), about);
  EXPECT_EQ(OpenWindows(), (Names{"Form3_en", "frmAbout"}));
}

TEST_F(MainWindowTest, SendFileAndAboutOpenAtTheirOwnSize) {
  Start().show();  // child windows are laid out once the frame is on screen
  const struct {
    const char* command;
    const char* window;
    QSize size;
  } cases[] = {{"Sendfile_cn", "sendfile", TwipsSize(nullptr, 6210, 4725)},
               {"About", "frmAbout", TwipsSize(nullptr, 5850, 5040)}};
  for (const auto& c : cases) {
    Choose(c.command);
    QMdiSubWindow* child = Child(c.window);
    ASSERT_NE(child, nullptr) << c.window;
    QCoreApplication::processEvents();
    EXPECT_EQ(child->widget()->size(), c.size) << c.window;
  }
}

TEST_F(MainWindowTest, FailedStoreKeepsTheOldWindowSilently) {
  config_path_ = folder_.filePath("missing folder/config.ini").toStdString();
  Start();
  QMdiSubWindow* english_window = Child("Form3_en");
  ASSERT_NE(english_window, nullptr);

  Choose("Chinese");
  EXPECT_TRUE(Action("Chinese")->isChecked());
  EXPECT_EQ(Menu("file")->title().toStdString(), "文件");
  EXPECT_EQ(Child("Form3_en"), english_window);
  EXPECT_EQ(OpenWindows(), Names{"Form3_en"});
  Choose("English");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MainWindowTest, PrinterConfigOpensTheStoredVariantAndLeavesTheOtherOne) {
  StoreLanguage("CHINESE");
  Start();
  StoreLanguage("ENGLISH");
  Choose("PrinterConfig");
  EXPECT_EQ(OpenWindows(), (Names{"Form2", "Form3_en"}));
}

TEST_F(MainWindowTest, OpeningAnOpenWindowBringsItToTheFrontUnchanged) {
  StoreLanguage("CHINESE");
  spooler_.AddQueue("VARNOK K540 200DPI");
  Start();
  Choose("About");
  QMdiSubWindow* config = Child("Form2");
  auto* items = config->findChild<QComboBox*>("Combo1");
  items->setCurrentIndex(2);
  spooler_.AddQueue("VARNOK M-4410");

  Choose("PrinterConfig");
  EXPECT_EQ(Child("Form2"), config);
  EXPECT_EQ(WorkArea().activeSubWindow(), config);
  EXPECT_EQ(items->currentIndex(), 2);
  EXPECT_EQ(config->findChild<QComboBox*>("MODEL")->count(), 1);
  EXPECT_EQ(OpenWindows(), (Names{"Form2", "frmAbout"}));
}

TEST_F(MainWindowTest, SendFileClosesTheCurrentConfigurationWindowOnly) {
  StoreLanguage("CHINESE");
  Start();
  StoreLanguage("ENGLISH");
  Choose("PrinterConfig");  // both variants open now

  Choose("Sendfile_cn");
  EXPECT_EQ(OpenWindows(), (Names{"Form2", "sendfile"}));
}

TEST_F(MainWindowTest, ConfigurationWindowReopensFreshlyLoaded) {
  StoreLanguage("CHINESE");
  spooler_.AddQueue("VARNOK K540 200DPI");
  Start();
  Child("Form2")->findChild<QComboBox*>("Combo1")->setCurrentIndex(3);
  spooler_.AddQueue("Varnok-Office");

  Choose("Sendfile_cn");
  EXPECT_EQ(OpenWindows(), Names{"sendfile"});
  Choose("PrinterConfig");
  QMdiSubWindow* config = Child("Form2");
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(config->findChild<QComboBox*>("Combo1")->currentIndex(), -1);
  EXPECT_EQ(config->findChild<QComboBox*>("MODEL")->count(), 2);
}

TEST_F(MainWindowTest, GreyedItemsDoNothing) {
  StoreLanguage("ENGLISH");
  Start();
  for (const char* name : {"UpdateFirmware", "test", "Helpdo"}) {
    Choose(name);
    EXPECT_EQ(OpenWindows(), Names{"Form3_en"}) << name;
  }
  EXPECT_EQ(StoredLanguage(), "ENGLISH");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MainWindowTest, AboutTwiceLeavesOneWindow) {
  StoreLanguage("ENGLISH");
  Start();
  Choose("About");
  QMdiSubWindow* about = Child("frmAbout");
  Choose("About");
  EXPECT_EQ(Child("frmAbout"), about);
  EXPECT_EQ(OpenWindows(), (Names{"Form3_en", "frmAbout"}));
}

TEST_F(MainWindowTest, ExitClosesEveryChildWindowAndTheFrame) {
  MDIForm1& frame = Start();
  frame.show();
  Choose("About");
  Choose("Sendfile_cn");
  Choose("exit1");
  EXPECT_FALSE(frame.isVisible());
  EXPECT_TRUE(OpenWindows().isEmpty());
}

TEST_F(MainWindowTest, WorkAreaAndConfigurationWindowHaveTheirSizes) {
  MDIForm1& frame = Start();
  frame.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(WorkArea().size(), TwipsSize(&frame, 12540, 8490));
  EXPECT_EQ(Child("Form3_en")->geometry(), TwipsRect(&frame, 500, 500, 6500, 5460));
}

}  // namespace
}  // namespace varnok::testing
