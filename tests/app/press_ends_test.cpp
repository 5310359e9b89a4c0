// What the operator sees and the printer gets when, while OK or Send waits for a print system
// that does not answer, the window is closed, the language switched, the send-file window opened
// or the program ended: the press ends as it would have, its boxes come while its window is still
// there, and what was asked meanwhile is done once it has ended. Asked as people ask it: the
// mouse on a title bar's close button or its icon's menu, the close keys, the main window's close
// box as the platform delivers it, and a screen reader's action on a menu item. Judged by the bytes
// at the virtual printers.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/title_bar.h"
#include "main_window_fixture.h"
#include "spooler/cups_spooler.h"
#include "support/gated_spooler.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kQueue[] = "VARNOK_K540_200DPI";
constexpr char kResetNotice[] = "After reseting, please do a calibration and continue to print!";
constexpr char kResetBytes[] = "^@\r";
constexpr char kLabel[] = "^XA^FO50,50^FDVarnoK^FS^XZ\r\n";
constexpr auto kNoJob = 1500ms;  // a sent job reaches the printer well within this

enum class Press { Ok, Send, None };   // None: asked with no press under way
enum class Answer { Answers, Never };  // Never: the step gives up at its time limit

// How the operator asks.
enum class Way {
  CloseButton,   // a mouse click on the title-bar close button of the window `asked`
  MenuClose,     // Close chosen with the mouse in the menu of the title-bar icon of `asked`
  CloseKeys,     // Ctrl+F4 with the focus in the window `asked`
  MainCloseBox,  // the main window's close box, as the platform delivers it
  ScreenReader,  // a screen reader's press action on the menu item of the command `asked`
  SecondPress,   // the pressed button clicked again
};

const std::string kLookupFailed = " > GetPrinter Failed on initial call! <";
const std::string kNoAnswer =
    "The print system did not answer in time about printer VARNOK_K540_200DPI. Nothing was sent: "
    "check the print system and the printer, then try again.";

struct EndCase {
  const char* name;
  Press press;
  Way way;
  const char* asked;  // the window or the menu command, for the ways that need one
  Answer answer;
  std::vector<std::string> told;  // the boxes, in order
  QStringList windows_after;      // open once the press has ended; none: the program has ended
  friend void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }
};

// clang-format off
const EndCase kCases[] = {
    {"OkThenCloseButton",        Press::Ok,   Way::CloseButton,  "Form3_en",    Answer::Answers, {kResetNotice}, {"sendfile"}},
    {"OkThenOthersCloseButton",  Press::Ok,   Way::CloseButton,  "sendfile",    Answer::Answers, {kResetNotice}, {"Form3_en"}},
    {"OkThenMenuClose",          Press::Ok,   Way::MenuClose,    "Form3_en",    Answer::Answers, {kResetNotice}, {"sendfile"}},
    {"OkThenCloseKeys",          Press::Ok,   Way::CloseKeys,    "Form3_en",    Answer::Answers, {kResetNotice}, {"sendfile"}},
    {"OkThenChinese",            Press::Ok,   Way::ScreenReader, "Chinese",     Answer::Answers, {kResetNotice}, {"Form2", "sendfile"}},
    {"OkThenSendFile",           Press::Ok,   Way::ScreenReader, "Sendfile_cn", Answer::Answers, {kResetNotice}, {"sendfile"}},
    {"OkThenExit",               Press::Ok,   Way::ScreenReader, "exit1",       Answer::Answers, {kResetNotice}, {}},
    {"OkThenMainCloseBox",       Press::Ok,   Way::MainCloseBox, "",            Answer::Answers, {kResetNotice}, {}},
    {"OkThenSecondOk",           Press::Ok,   Way::SecondPress,  "",            Answer::Answers, {kResetNotice}, {"Form3_en", "sendfile"}},
    {"OkNeverAnsweredThenExit",  Press::Ok,   Way::ScreenReader, "exit1",       Answer::Never,   {kLookupFailed, kNoAnswer}, {}},
    {"SendThenCloseButton",      Press::Send, Way::CloseButton,  "sendfile",    Answer::Answers, {},             {"Form3_en"}},
    {"SendThenCloseKeys",        Press::Send, Way::CloseKeys,    "sendfile",    Answer::Answers, {},             {"Form3_en"}},
    {"SendThenChinese",          Press::Send, Way::ScreenReader, "Chinese",     Answer::Answers, {},             {"Form2", "sendfile"}},
    {"SendThenExit",             Press::Send, Way::ScreenReader, "exit1",       Answer::Answers, {},             {}},
    // Without a press the same input closes at once: the test's clicks and keys are the real ones.
    {"NoPressCloseButton",       Press::None, Way::CloseButton,  "Form3_en",    Answer::Answers, {},             {"sendfile"}},
    {"NoPressMenuClose",         Press::None, Way::MenuClose,    "sendfile",    Answer::Answers, {},             {"Form3_en"}},
    {"NoPressCloseKeys",         Press::None, Way::CloseKeys,    "sendfile",    Answer::Answers, {},             {"Form3_en"}},
};
// clang-format on

// Notes each box and whether the window whose press shows it was still open then.
class BoxesOfAWindow : public UserMessages {
 public:
  explicit BoxesOfAWindow(std::function<bool()> window_open)
      : window_open_(std::move(window_open)) {}
  void Show(const Message& message) override {
    told.push_back(message.text);
    all_while_open &= window_open_();
  }
  std::vector<std::string> told;
  bool all_while_open = true;

 private:
  std::function<bool()> window_open_;
};

class PressEndsTest : public VirtualPrinterSuite<MainWindowTestOn<GatedSpooler<CupsSpooler>>>,
                      public ::testing::WithParamInterface<EndCase> {
 protected:
  // Both windows open, each with the queue picked, OK's window with the reset item and Send's
  // with a file.
  void SetUp() override {
    StoreLanguage("ENGLISH");
    frame_ = std::make_unique<MDIForm1>(printer_, boxes_, config_path_);
    DeliverBackgroundWork(printer_);
    frame_->show();
    Choose("Sendfile_cn");
    Choose("PrinterConfig");
    Pick("Form3_en", "MODEL", kQueue);
    Pick("Form3_en", "Combo1", "Reset");
    Pick("sendfile", "Combo1", kQueue);
    Child("sendfile")->findChild<QLineEdit*>("Text2")->setText(QString::fromStdString(label_));
  }

  void Pick(const char* window, const char* list_name, const char* entry) {
    auto* list = Child(window)->findChild<QComboBox*>(list_name);
    const int index = list->findText(entry);
    ASSERT_GE(index, 0) << entry;
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  const char* Pressed() const { return GetParam().press == Press::Ok ? "Form3_en" : "sendfile"; }

  // Asks through the main window's platform window, where people's input arrives.
  void Ask(const EndCase& c, QPushButton* pressed) {
    QWindow& screen = *frame_->windowHandle();
    switch (c.way) {
      case Way::CloseButton:
        ClickTitleBar(c.asked, QStyle::SC_TitleBarCloseButton);
        break;
      case Way::MenuClose: {
        ClickTitleBar(c.asked, QStyle::SC_TitleBarSysMenu);
        QMenu* menu = Child(c.asked)->systemMenu();
        ASSERT_TRUE(menu->isVisible()) << "the icon's menu did not open";
        for (QAction* item : menu->actions()) {
          if (item->text() == QMdiSubWindow::tr("&Close")) {
            Click(*menu->windowHandle(), menu->actionGeometry(item).center());
          }
        }
        break;
      }
      case Way::CloseKeys:
        QTest::keyClick(&screen, Qt::Key_F4, Qt::ControlModifier);
        break;
      case Way::MainCloseBox:
        screen.close();
        break;
      case Way::ScreenReader:
        PressMenuItem(*Action(c.asked));
        break;
      case Way::SecondPress:
        pressed->click();
        break;
    }
  }

  static void Click(QWindow& window, QPoint place) {
    QTest::mouseMove(&window, place);
    QTest::mouseClick(&window, Qt::LeftButton, {}, place);
  }

  // Clicks the button of the child window's title bar where the style shows it.
  void ClickTitleBar(const char* child_name, QStyle::SubControl button) {
    QMdiSubWindow* child = Child(child_name);
    Click(*frame_->windowHandle(),
          child->mapTo(frame_.get(), TitleBarButton(*child, button).center()));
  }

  // As a screen reader chooses a menu command: the press action of its item in its menu.
  static void PressMenuItem(QAction& command) {
    for (QObject* owner : command.associatedObjects()) {
      auto* menu = qobject_cast<QMenu*>(owner);
      if (menu == nullptr) continue;
      QAccessibleInterface* items = QAccessible::queryAccessibleInterface(menu);
      for (int i = 0; i < items->childCount(); ++i) {
        QAccessibleInterface* item = items->child(i);
        if (item->object() != &command) continue;
        item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        return;
      }
    }
    ADD_FAILURE() << "no menu item for " << command.objectName().toStdString();
  }

  BoxesOfAWindow boxes_{[this] { return frame_->isVisible() && Child(Pressed()) != nullptr; }};
  TempFolder files_;
  std::string label_ = files_.Write("label.prn", kLabel);
};

TEST_P(PressEndsTest, WhatIsAskedWhileAPressWaitsIsDoneOnceItHasEnded) {
  const EndCase& c = GetParam();
  if (c.way == Way::CloseKeys) {
    // The keys close the window with the focus.
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    WorkArea().setActiveSubWindow(Child(c.asked));
  }
  QPushButton* button = nullptr;
  if (c.press != Press::None) {
    button = Child(Pressed())->widget()->findChild<QPushButton*>(c.press == Press::Ok ? "Command2"
                                                                                      : "Command1");
    spooler_.CloseGate();
    button->click();
    EXPECT_TRUE(spooler_.RequestWaits(10s)) << "the press never reached the print system";
  }
  Ask(c, button);
  if (c.answer == Answer::Answers) {
    spooler_.OpenGate();
  } else {
    spooler_.GiveUp();
  }
  DeliverBackgroundWork(printer_);

  EXPECT_EQ(boxes_.told, c.told);
  EXPECT_TRUE(boxes_.all_while_open) << "a box came for a window already closed";
  const bool program_ends = c.windows_after.isEmpty();
  EXPECT_EQ(frame_->isVisible(), !program_ends);
  if (!program_ends) {
    EXPECT_EQ(OpenWindows(), c.windows_after);
  }
  if (c.press != Press::None && c.answer == Answer::Answers) {
    EXPECT_EQ(printers->WaitForJob(kQueue, kJobArrives),
              c.press == Press::Ok ? kResetBytes : kLabel);
  }
  EXPECT_TRUE(printers->NoJobWithin(kQueue, kNoJob)) << "more reached the printer";
}

INSTANTIATE_TEST_SUITE_P(Ends, PressEndsTest, ::testing::ValuesIn(kCases),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
