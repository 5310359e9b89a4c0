// The whole program against a private CUPS scheduler that stops, or whose queue stops taking
// jobs, while the windows are open: OK in the configuration window and Send in the send-file
// window each tell the operator what went wrong, promptly, nothing reaches the printer, and the
// same presses work again once the scheduler or the queue is back.
#include <cups/cups.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_fixture.h"
#include "spooler/cups_spooler.h"
#include "support/figures.h"
#include "support/loopback.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kQueue[] = "VARNOK_K540_200DPI";  // a supported model
constexpr char kResetItem[] = "Reset";           // sends "^@" and needs no correction
constexpr std::string_view kResetBytes = "^@\r";
constexpr std::string_view kResetNotice =
    "After reseting, please do a calibration and continue to print!";
constexpr std::string_view kLabel = "^XA^FO50,50^FDVarnoK^FS^XZ\r\n";
using testing::kJobArrives;
constexpr auto kNoJob = 1500ms;  // a sent job reaches the printer well within this

// Points libcups at the address, for this thread and for threads started later; the printer
// worker, started before, is pointed there by the test (PointWorkerAtCupsServer).
void PointCupsAt(const std::string& server) {
  setenv("CUPS_SERVER", server.c_str(), 1);
  cupsSetServer(server.c_str());
}

// A scheduler that is stuck: it takes connections (the system completes them into the
// listener's backlog) but never reads a request or answers one.
void SilenceScheduler(VirtualPrinters& /*printers*/) {
  static int port = 0;
  [[maybe_unused]] static const int listener = OpenLoopbackListener(port);
  PointCupsAt("127.0.0.1:" + std::to_string(port));
}

void WakeScheduler(VirtualPrinters& printers) { PointCupsAt(printers.ServerSocket()); }

class SchedulerFaultTest : public VirtualPrinterSuite<MainWindowTestOn<CupsSpooler>> {
 protected:
  void SetUp() override { StoreLanguage("ENGLISH"); }

  // Both windows open, as the operator leaves them: Send-file first, since opening it closes
  // the configuration window.
  void OpenBothWindows() {
    Choose("Sendfile_cn");
    Choose("PrinterConfig");
    ASSERT_NE(Child("sendfile"), nullptr);
    ASSERT_NE(Child("Form3_en"), nullptr);
  }

  // Picks the queue in both windows and the reset item, the way the operator does.
  void ChooseQueueAndItem() {
    Pick(*Control<QComboBox>("Form3_en", "MODEL"), kQueue);
    Pick(*Control<QComboBox>("Form3_en", "Combo1"), kResetItem);
    Pick(*Control<QComboBox>("sendfile", "Combo1"), kQueue);
  }

  // libcups keeps the server per thread: the worker's follows CUPS_SERVER as it is now.
  void PointWorkerAtCupsServer() {
    printer_.Post([server = std::string(std::getenv("CUPS_SERVER"))](Spooler&) {
      cupsSetServer(server.c_str());
    });
    DeliverBackgroundWork(printer_);
  }
  void Cause(void (*cause)(VirtualPrinters&)) {
    cause(*printers);
    PointWorkerAtCupsServer();
  }

  void PressOk() {
    Control<QPushButton>("Form3_en", "Command2")->click();
    DeliverBackgroundWork(printer_);
  }

  void PressSend() { SendFile(label_); }

  void SendFile(const std::string& path) {
    Control<QLineEdit>("sendfile", "Text2")->setText(QString::fromStdString(path));
    Control<QPushButton>("sendfile", "Command1")->click();
    DeliverBackgroundWork(printer_);
  }

  template <typename Widget>
  Widget* Control(const char* window, const char* name) const {
    QMdiSubWindow* child = Child(window);
    Widget* control = child != nullptr ? child->findChild<Widget*>(name) : nullptr;
    EXPECT_NE(control, nullptr) << window << " " << name;
    return control;
  }

  static void Pick(QComboBox& list, const char* entry) {
    const int index = list.findText(entry);
    ASSERT_GE(index, 0) << entry;
    list.setCurrentIndex(index);
    emit list.activated(index);
  }

  // After OK and Send have worked: the reset notice only, and both jobs at the printer.
  void ExpectBothPressesWorked() {
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, kResetNotice);
    EXPECT_EQ(printers->WaitForJob(kQueue, kJobArrives), kResetBytes);
    EXPECT_EQ(printers->WaitForJob(kQueue, kJobArrives), kLabel);
  }

  TempFolder files_;
  std::string label_ = files_.Write("label.prn", kLabel);
};

struct FaultCase {
  const char* name;
  void (*cause)(VirtualPrinters&);
  void (*cure)(VirtualPrinters&);
  // How the messages of OK and Send begin, and the problem each must name (OK's in its last).
  const char* ok_begins;
  const char* ok_names;
  const char* send_begins;
  const char* send_names;
  size_t ok_boxes = 1;
  friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class SchedulerFaultCaseTest : public SchedulerFaultTest,
                               public ::testing::WithParamInterface<FaultCase> {
 protected:
  // Each press says what went wrong, in good time; the printer receives nothing.
  void ExpectBothPressesFail(const FaultCase& c) {
    TimeAndGuard(std::string(c.name) + ": OK", [this] { PressOk(); });
    TimeAndGuard(std::string(c.name) + ": Send", [this] { PressSend(); });
    ASSERT_EQ(messages_.shown.size(), c.ok_boxes + 1);
    const std::string& ok = messages_.shown[0].text;
    EXPECT_TRUE(ok.starts_with(c.ok_begins)) << ok;
    const std::string& ok_last = messages_.shown[c.ok_boxes - 1].text;
    EXPECT_NE(ok_last.find(c.ok_names), std::string::npos) << ok_last;
    const std::string& send = messages_.shown[c.ok_boxes].text;
    EXPECT_TRUE(send.starts_with(c.send_begins)) << send;
    EXPECT_NE(send.find(c.send_names), std::string::npos) << send;
    EXPECT_TRUE(printers->NoJobWithin(kQueue, kNoJob));
    // The program goes on: its windows are as they were, the path is kept for another try.
    EXPECT_EQ(OpenWindows(), (QStringList{"Form3_en", "sendfile"}));
    EXPECT_EQ(Control<QLineEdit>("sendfile", "Text2")->text().toStdString(), label_);
  }
};

TEST_P(SchedulerFaultCaseTest, OkAndSendSayWhatIsWrongThenWorkAgainOnceItIsPutRight) {
  const FaultCase& c = GetParam();
  Start();
  OpenBothWindows();
  ChooseQueueAndItem();

  Cause(c.cause);
  ExpectBothPressesFail(c);
  Cause(c.cure);

  messages_.shown.clear();
  PressOk();
  PressSend();
  ExpectBothPressesWorked();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SchedulerFaultCaseTest,
    ::testing::Values(FaultCase{"SchedulerStopped", [](VirtualPrinters& p) { p.StopScheduler(); },
                                [](VirtualPrinters& p) { p.StartScheduler(); },
                                "Cannot open printer VARNOK_K540_200DPI, Error: ", "Error: 1282",
                                "The printer \"VARNOK_K540_200DPI\" cannot be reached",
                                "it is not running or does not take connections"},
                      FaultCase{
                          "QueueRejectingJobs", [](VirtualPrinters& p) { p.RejectJobs(kQueue); },
                          [](VirtualPrinters& p) { p.AcceptJobs(kQueue); },
                          "Could not send to printer VARNOK_K540_200DPI: ", "is not accepting jobs",
                          "The printer \"VARNOK_K540_200DPI\" did not take the file",
                          "is not accepting jobs"},
                      // The driver lookup ends as for any answer it cannot use, then names the
                      // printer and the cause.
                      FaultCase{"SchedulerNotAnswering", SilenceScheduler, WakeScheduler,
                                " > GetPrinter Failed on initial call! <",
                                "did not answer in time about printer VARNOK_K540_200DPI",
                                "The print system did not answer", "\"VARNOK_K540_200DPI\"", 2}),
    ::testing::PrintToStringParamName());

constexpr std::string_view kUnlistedOk =
    "The print system did not answer when the printers were listed, so there is no printer to "
    "choose. Nothing was sent. Check that the print system is running, then close this window and "
    "open it again.";

// Started while the scheduler is down, the program lists no printer and OK and Send say that the
// print system did not answer; windows opened again once it is back list the queues, and the
// presses work.
TEST_F(SchedulerFaultTest, StartedWithTheSchedulerDownListsNoPrinterUntilItIsBack) {
  printers->StopScheduler();
  TimeAndGuard("scheduler down: start-up and the list request", [this] { Start(); });
  OpenBothWindows();
  EXPECT_EQ(Control<QComboBox>("Form3_en", "MODEL")->count(), 0);
  EXPECT_EQ(Control<QComboBox>("sendfile", "Combo1")->count(), 0);
  Pick(*Control<QComboBox>("Form3_en", "Combo1"), kResetItem);
  PressOk();
  PressSend();
  printers->StartScheduler();
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].text, kUnlistedOk);
  EXPECT_EQ(messages_.shown[1].text,
            "The print system did not answer when the printers were listed, so there is no "
            "printer to send the file to. The file was not sent. Check that the print system is "
            "running, then close this window and open it again.");

  WorkArea().closeAllSubWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  messages_.shown.clear();
  OpenBothWindows();
  ChooseQueueAndItem();
  PressOk();
  PressSend();
  ExpectBothPressesWorked();
}

// With a scheduler that does not answer, the main window shows at once with the configuration
// window inside, its queue list empty; once the list request has given up, OK says why.
TEST_F(SchedulerFaultTest, StartsAtOnceWhileTheSchedulerDoesNotAnswer) {
  Cause(SilenceScheduler);
  TimeAndGuard("scheduler not answering: first frame of the main window", [this] {
    frame_ = std::make_unique<MDIForm1>(printer_, messages_, config_path_);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->grab();  // the first frame, drawn
  });
  ASSERT_NE(Child("Form3_en"), nullptr);
  EXPECT_EQ(Control<QComboBox>("Form3_en", "MODEL")->count(), 0);
  EXPECT_TRUE(messages_.shown.empty());

  Pick(*Control<QComboBox>("Form3_en", "Combo1"), kResetItem);
  TimeAndGuard("scheduler not answering: OK waiting for the list", [this] { PressOk(); });
  Cause(WakeScheduler);
  EXPECT_EQ(Control<QComboBox>("Form3_en", "MODEL")->count(), 0);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, kUnlistedOk);
}

// The scheduler going away, or hanging, half-way through a large send: the send ends with a
// message in good time, the printer receives none of the file, and once the scheduler is back
// the presses work again.
struct MidSendCase {
  const char* name;
  void (*cause)(VirtualPrinters&);
  void (*cure)(VirtualPrinters&);
  const char* message_begins;
  bool names_the_file;
  friend void PrintTo(const MidSendCase& c, std::ostream* os) { *os << c.name; }
};

class MidSendFaultTest : public SchedulerFaultTest,
                         public ::testing::WithParamInterface<MidSendCase> {};

TEST_P(MidSendFaultTest, EndsTheSendWithAMessage) {
  const MidSendCase& c = GetParam();
  const std::string large = files_.Write("large.prn", std::string(64 * 1024 * 1024, 'L'));
  Start();
  OpenBothWindows();
  ChooseQueueAndItem();
  bool caused = false;
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&c, &caused, this] {
    const auto* dialog = Child("sendfile")->findChild<QProgressDialog*>();
    if (caused || dialog == nullptr || !dialog->isVisible() || dialog->value() == 0) return;
    c.cause(*printers);
    caused = true;
  });
  stopper.start(0);
  TimeAndGuard(std::string(c.name) + " during a send: Send", [&] { SendFile(large); });
  stopper.stop();
  Cause(c.cure);

  ASSERT_TRUE(caused) << "the send ended before the fault could be caused";
  ASSERT_EQ(messages_.shown.size(), 1u);
  const std::string& message = messages_.shown[0].text;
  EXPECT_TRUE(message.starts_with(c.message_begins)) << message;
  EXPECT_EQ(message.find("\"" + large + "\"") != std::string::npos, c.names_the_file) << message;
  EXPECT_TRUE(printers->NoJobWithin(kQueue, kNoJob));

  messages_.shown.clear();
  PressOk();
  PressSend();
  ExpectBothPressesWorked();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MidSendFaultTest,
    ::testing::Values(MidSendCase{"SchedulerStopped", [](VirtualPrinters& p) { p.StopScheduler(); },
                                  [](VirtualPrinters& p) { p.StartScheduler(); },
                                  "The printer \"VARNOK_K540_200DPI\" did not take the file", true},
                      MidSendCase{"SchedulerHung", [](VirtualPrinters& p) { p.FreezeScheduler(); },
                                  [](VirtualPrinters& p) { p.ThawScheduler(); },
                                  "The print system did not answer in time about the printer "
                                  "\"VARNOK_K540_200DPI\"",
                                  false}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
