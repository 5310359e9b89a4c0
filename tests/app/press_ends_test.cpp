// What the operator sees and the printer gets when, while OK or Send waits for a print system
// that does not answer, the window is closed, the language switched, the send-file window opened
// or the program ended: the press ends as it would have, its boxes come while its window is still
// there, and what was asked meanwhile is done once it has ended. Judged by the bytes at the
// virtual printers.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "main_window_fixture.h"
#include "printer/cups_spooler.h"
#include "support/gated_spooler.h"
#include "support/temp_folder.h"
#include "support/virtual_printers.h"

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kQueue[] = "VARNOK_K540_200DPI";
constexpr char kResetNotice[] = "After reseting, please do a calibration and continue to print!";
constexpr char kResetBytes[] = "^@\r";
constexpr char kLabel[] = "^XA^FO50,50^FDVarnoK^FS^XZ\r\n";
constexpr auto kNoJob = 1500ms;  // a sent job reaches the printer well within this

enum class Press { Ok, Send };
enum class Answer { Answers, Never };  // Never: the step gives up at its time limit

const std::string kLookupFailed = " > GetPrinter Failed on initial call! <";
const std::string kNoAnswer =
    "The print system did not answer in time about printer VARNOK_K540_200DPI. Nothing was sent: "
    "check the print system and the printer, then try again.";

struct EndCase {
  const char* name;
  Press press;
  // Asked while the press waits: a menu command, a second press ("Command2") or a close box
  // ("close " and the window).
  const char* asked;
  Answer answer;
  std::vector<std::string> told;  // the boxes, in order
  QStringList windows_after;      // open once the press has ended; none: the program has ended
  friend void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }
};

// clang-format off
const EndCase kCases[] = {
    {"OkThenCloseBox",          Press::Ok,   "close Form3_en", Answer::Answers, {kResetNotice}, {"sendfile"}},
    {"OkThenChinese",           Press::Ok,   "Chinese",        Answer::Answers, {kResetNotice}, {"Form2", "sendfile"}},
    {"OkThenSendFile",          Press::Ok,   "Sendfile_cn",    Answer::Answers, {kResetNotice}, {"sendfile"}},
    {"OkThenExit",              Press::Ok,   "exit1",          Answer::Answers, {kResetNotice}, {}},
    {"OkThenMainCloseBox",      Press::Ok,   "close MDIForm1", Answer::Answers, {kResetNotice}, {}},
    {"OkThenSecondOk",          Press::Ok,   "Command2",       Answer::Answers, {kResetNotice}, {"Form3_en", "sendfile"}},
    {"OkNeverAnsweredThenExit", Press::Ok,   "exit1",          Answer::Never,   {kLookupFailed, kNoAnswer}, {}},
    {"SendThenCloseBox",        Press::Send, "close sendfile", Answer::Answers, {},             {"Form3_en"}},
    {"SendThenChinese",         Press::Send, "Chinese",        Answer::Answers, {},             {"Form2", "sendfile"}},
    {"SendThenExit",            Press::Send, "exit1",          Answer::Answers, {},             {}},
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

class PressEndsTest : public MainWindowTestOn<GatedSpooler<CupsSpooler>>,
                      public ::testing::WithParamInterface<EndCase> {
 protected:
  static void SetUpTestSuite() {
    printers_ = VirtualPrinters::Start(VirtualPrinters::StandardQueues());
  }
  static void TearDownTestSuite() { printers_.reset(); }

  // Both windows open, each with the queue picked, OK's window with the reset item and Send's
  // with a file.
  void SetUp() override {
    ASSERT_NE(printers_, nullptr) << "the virtual printers did not start";
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

  static inline std::unique_ptr<VirtualPrinters> printers_;
  BoxesOfAWindow boxes_{[this] { return frame_->isVisible() && Child(Pressed()) != nullptr; }};
  TempFolder files_;
  std::string label_ = files_.Write("label.prn", kLabel);
};

TEST_P(PressEndsTest, WhatIsAskedWhileAPressWaitsIsDoneOnceItHasEnded) {
  const EndCase& c = GetParam();
  QWidget* window = Child(Pressed())->widget();
  auto* button = window->findChild<QPushButton*>(c.press == Press::Ok ? "Command2" : "Command1");
  spooler_.CloseGate();
  button->click();
  EXPECT_TRUE(spooler_.RequestWaits(10s)) << "the press never reached the print system";
  // As the operator's close box or a screen reader's action asks it.
  const std::string_view asked = c.asked;
  if (asked.starts_with("close ")) {
    const QString closed = QString::fromUtf8(asked.substr(6));
    (closed == "MDIForm1" ? static_cast<QWidget*>(frame_.get()) : Child(closed))->close();
  } else if (asked == "Command2") {
    button->click();
  } else {
    Action(c.asked)->trigger();
  }
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
  if (c.answer == Answer::Answers) {
    EXPECT_EQ(printers_->WaitForJob(kQueue, kJobArrives),
              c.press == Press::Ok ? kResetBytes : kLabel);
  }
  EXPECT_TRUE(printers_->NoJobWithin(kQueue, kNoJob)) << "more reached the printer";
}

INSTANTIATE_TEST_SUITE_P(Ends, PressEndsTest, ::testing::ValuesIn(kCases),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
