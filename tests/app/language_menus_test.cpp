// The interface language at start-up and through the two language commands: menu captions,
// check marks, the stored value and the configuration window; and the menu tree.
#include <QMenuBar>
#include <filesystem>
#include <optional>
#include <vector>

#include "menu_captions_fixture.h"
#include "support/ordinary_file_system_user.h"

namespace varnok::testing {
namespace {

struct StartUpCase {
  const char* name;
  std::optional<std::string_view> stored;
  Language menus;
  const char* sendfile_caption;
  const char* window;
  friend void PrintTo(const StartUpCase& c, std::ostream* os) { *os << c.name; }
};

class StartUpTest : public MenuCaptionsTest, public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUpTest, FollowsTheStoredValueExactly) {
  const StartUpCase& c = GetParam();
  StoreLanguage(c.stored);
  Start();
  ExpectMenusIn(c.menus, c.sendfile_caption);
  EXPECT_EQ(OpenWindows(), QStringList{c.window});
  EXPECT_TRUE(messages_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, StartUpTest,
    ::testing::Values(
        StartUpCase{"English", "ENGLISH", Language::English, "Send File to Printer", "Form3_en"},
        StartUpCase{"Chinese", "CHINESE", Language::Chinese, "发送文件至打印机", "Form2"},
        StartUpCase{"LowerCaseEnglish", "english", Language::Chinese, "发送文件至打印机",
                    "Form3_en"},
        StartUpCase{"NoFile", std::nullopt, Language::Chinese, "发送文件至打印机", "Form3_en"}),
    ::testing::PrintToStringParamName());

struct CommandCase {
  const char* name;
  std::optional<std::string_view> stored;
  bool close_configuration_window_first;
  const char* command;
  Language menus;
  const char* sendfile_caption;
  const char* window;
  bool may_not_write = false;  // the user may read config.ini but not write it
  friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class LanguageCommandTest : public MenuCaptionsTest,
                            public ::testing::WithParamInterface<CommandCase> {};

// The menus, check marks and window follow the value read back: the one just stored, or the old
// one where the user may not write the file.
TEST_P(LanguageCommandTest, StoresTheValueRelabelsAndExchangesTheConfigurationWindow) {
  const CommandCase& c = GetParam();
  StoreLanguage(c.stored);
  if (c.may_not_write) {
    std::filesystem::permissions(folder_.path().toStdString(), std::filesystem::perms(0755));
    // No write permission for anyone: read-only on Windows too.
    std::filesystem::permissions(config_path_, std::filesystem::perms(0444));
  }
  Start();
  if (c.close_configuration_window_first) {
    WorkArea().closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  {
    std::optional<OrdinaryFileSystemUser> user;
    if (c.may_not_write) user.emplace();
    Choose(c.command);
  }
  ExpectMenusIn(c.menus, c.sendfile_caption);
  EXPECT_EQ(StoredLanguage(), c.menus == Language::Chinese ? "CHINESE" : "ENGLISH");
  EXPECT_EQ(OpenWindows(), QStringList{c.window});
  EXPECT_TRUE(messages_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LanguageCommandTest,
    ::testing::Values(CommandCase{"ChineseToEnglish", "CHINESE", false, "English",
                                  Language::English, "Send a File to Printer ", "Form3_en"},
                      CommandCase{"EnglishAgain", "ENGLISH", false, "English", Language::English,
                                  "Send a File to Printer ", "Form3_en"},
                      CommandCase{"EnglishToChinese", "ENGLISH", false, "Chinese",
                                  Language::Chinese, "发送文件到打印机", "Form2"},
                      CommandCase{"ChineseWithNoWindowOpen", "ENGLISH", true, "Chinese",
                                  Language::Chinese, "发送文件到打印机", "Form2"},
                      CommandCase{"ChineseFromNoFile", std::nullopt, false, "Chinese",
                                  Language::Chinese, "发送文件到打印机", "Form2"},
                      CommandCase{"EnglishFromNoFile", std::nullopt, false, "English",
                                  Language::English, "Send a File to Printer ", "Form3_en"},
                      CommandCase{"EnglishNotStored", "CHINESE", false, "English",
                                  Language::Chinese, "发送文件到打印机", "Form2", true},
                      CommandCase{"ChineseNotStored", "ENGLISH", false, "Chinese",
                                  Language::English, "Send a File to Printer ", "Form3_en", true}),
    ::testing::PrintToStringParamName());

std::vector<std::string> EntryNames(const QList<QAction*>& actions) {
  std::vector<std::string> names;
  for (QAction* action : actions) {
    names.push_back(action->menu() != nullptr ? action->menu()->objectName().toStdString()
                                              : action->objectName().toStdString());
  }
  return names;
}

TEST_F(MainWindowTest, MenuTreeInDisplayOrderWithTheGreyedItems) {
  MDIForm1& frame = Start();
  using Entries = std::vector<std::string>;
  EXPECT_EQ(EntryNames(frame.menuBar()->actions()), (Entries{"file", "Tools", "Help"}));
  EXPECT_EQ(EntryNames(Menu("file")->actions()), (Entries{"exit1"}));
  EXPECT_EQ(EntryNames(Menu("Tools")->actions()),
            (Entries{"PrinterConfig", "Sendfile_cn", "UpdateFirmware", "test"}));
  EXPECT_EQ(EntryNames(Menu("Help")->actions()), (Entries{"LANGUAGE", "Helpdo", "About"}));
  EXPECT_EQ(EntryNames(Menu("LANGUAGE")->actions()), (Entries{"Chinese", "English"}));
  for (const char* name : {"UpdateFirmware", "test", "Helpdo"}) {
    EXPECT_FALSE(Action(name)->isEnabled()) << name;
  }
  for (const char* name :
       {"exit1", "PrinterConfig", "Sendfile_cn", "Chinese", "English", "About"}) {
    EXPECT_TRUE(Action(name)->isEnabled()) << name;
  }
  EXPECT_EQ(frame.windowTitle().toStdString(), "VARNOK Printer Utility 2.20");
}

// A caption copied from one language into the other shows the operator the wrong language.
TEST(MenuCaptionTable, NoEntryHasTheSameCaptionInBothLanguages) {
  const MenuCaptions& chinese = MenuCaptionsFor(Language::Chinese);
  const MenuCaptions& english = MenuCaptionsFor(Language::English);
  for (const CaptionSource& source : kCaptionSources) {
    EXPECT_NE(chinese.*source.caption, english.*source.caption) << source.name;
  }
  // Exact texts the operator looks for, which nothing else states.
  EXPECT_EQ(chinese.printer_config, "打印机设置");
  EXPECT_EQ(english.printer_config, "Printer Config");
}

}  // namespace
}  // namespace varnok::testing
