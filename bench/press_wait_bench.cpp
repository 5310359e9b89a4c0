// How long the interface thread goes at most without handling an event while OK or Send runs:
// OK to a scheduler that answers, OK to one that never answers (the press ends at the step's time
// limit), and Send of a 64 MiB file with its progress dialog. A 1 ms timer on the interface thread
// notes the longest gap between its ticks, from just before the press to its end; the press's
// click itself counts. The main window is the program's own, on the offscreen platform, with the
// virtual printers of a private CUPS scheduler behind it.
#include <cups/cups.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/mdi_form1.h"
#include "figures.h"
#include "gui/modal_press.h"
#include "gui/printer_worker.h"
#include "spooler/cups_spooler.h"
#include "support/background_delivery.h"
#include "support/loopback.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "support/virtual_printers.h"

namespace {

using Clock = std::chrono::steady_clock;
using varnok::testing::VirtualPrinters;

constexpr const char* kQueue = "VARNOK_K540_200DPI";

// The longest gap, in ms, between the interface thread's timer ticks while the press runs.
double LongestWaitDuringPress(QPushButton& button) {
  QEventLoop pressing;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  auto last = Clock::now();
  double longest = 0;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const auto now = Clock::now();
    longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
  });
  tick.start(1);
  last = Clock::now();
  button.click();
  // What is kept for after the press runs once it has ended, as the windows' own commands do.
  bool ended = false;
  varnok::RunAfterPress([&] {
    ended = true;
    pressing.quit();
  });
  if (!ended) pressing.exec();
  return longest;
}

QWidget* Window(varnok::MDIForm1& frame, const char* name) {
  for (auto* child : frame.findChildren<QMdiSubWindow*>()) {
    if (child->isVisible() &&
        (child->objectName() == name || child->widget()->objectName() == name)) {
      return child->widget();
    }
  }
  return nullptr;
}

void Pick(QWidget& window, const char* list_name, const char* entry) {
  auto* list = window.findChild<QComboBox*>(list_name);
  list->setCurrentIndex(list->findText(entry));
  emit list->activated(list->currentIndex());
}

struct Figures {
  const char* what;
  std::vector<double> waits;
};

void Report(const Figures& figures) {
  const double worst = *std::max_element(figures.waits.begin(), figures.waits.end());
  std::printf(
      "%-44s longest wait %7.2f ms (median of the presses' longest %6.2f ms), %zu presses\n",
      figures.what, worst, varnok::bench::Median(figures.waits), figures.waits.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto printers = VirtualPrinters::Start(VirtualPrinters::StandardQueues());
  QApplication application(argc, argv);
  QTemporaryDir folder;
  const std::string config_path = folder.filePath("config.ini").toStdString();
  std::ofstream(config_path, std::ios::binary) << "[LANGUAGE]\r\nLG=ENGLISH\r\n";
  varnok::testing::TempFolder files;
  const std::string large = files.Write("large.prn", std::string(64 * 1024 * 1024, 'L'));

  varnok::CupsSpooler spooler;
  varnok::PrinterWorker printer(spooler);
  varnok::testing::MessageRecorder messages;
  varnok::MDIForm1 frame(printer, messages, config_path);
  frame.show();
  frame.findChild<QAction*>("Sendfile_cn")->trigger();
  frame.findChild<QAction*>("PrinterConfig")->trigger();
  varnok::testing::DeliverBackgroundWork(printer);
  QWidget* config = Window(frame, "Form3_en");
  QWidget* sendfile = Window(frame, "sendfile");
  Pick(*config, "MODEL", kQueue);
  Pick(*config, "Combo1", "Reset");
  Pick(*sendfile, "Combo1", kQueue);
  auto* ok = config->findChild<QPushButton*>("Command2");
  auto* send = sendfile->findChild<QPushButton*>("Command1");
  auto* path = sendfile->findChild<QLineEdit*>("Text2");
  // libcups keeps the server per thread: the worker's is set there.
  const auto point_worker_at = [&printer](const std::string& server) {
    printer.Post([server](varnok::Spooler&) { cupsSetServer(server.c_str()); });
    varnok::testing::DeliverBackgroundWork(printer);
  };

  std::printf("Interface thread during a press (load %s):\n", varnok::bench::LoadAverage().c_str());
  LongestWaitDuringPress(*ok);  // warm-up
  Figures answered{"OK, scheduler answers", {}};
  for (int round = 0; round < 20; ++round) answered.waits.push_back(LongestWaitDuringPress(*ok));
  Report(answered);

  Figures sent{"Send, 64 MiB file with its progress dialog", {}};
  for (int round = 0; round < 3; ++round) {
    path->setText(QString::fromStdString(large));
    sent.waits.push_back(LongestWaitDuringPress(*send));
  }
  Report(sent);

  int port = 0;
  [[maybe_unused]] const int listener = varnok::testing::OpenLoopbackListener(port);
  point_worker_at("127.0.0.1:" + std::to_string(port));
  Figures silent{"OK, scheduler never answers (step's limit)", {}};
  for (int round = 0; round < 3; ++round) silent.waits.push_back(LongestWaitDuringPress(*ok));
  Report(silent);
  point_worker_at(printers->ServerSocket());

  const std::size_t boxes = messages.shown.size();
  std::printf("(%zu boxes shown, the notices and the silent scheduler's)\n", boxes);
  std::printf("Goal: under 100 ms in every press.\n");
  return 0;
}
