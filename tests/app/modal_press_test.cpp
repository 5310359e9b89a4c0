// OK and Send wait for the print system on the printer worker: the windows go on drawing while
// a press waits, a busy cursor shows, nothing else takes input, a second press does nothing, and
// the boxes of a press come up one at a time, in order, on the interface thread.
#include <QComboBox>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "support/gated_spooler.h"
#include "support/temp_folder.h"

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kQueue[] = "VARNOK_K540";  // first in the lists
constexpr char kOtherQueue[] = "VARNOK_Z";

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class ModalPressTest : public MainWindowTestOn<GatedSpooler<FakeSpooler>> {
 protected:
  void SetUp() override {
    spooler_.inner.AddQueue(kQueue, {"VARNOK K540 200DPI"});
    spooler_.inner.AddQueue(kOtherQueue, {"VARNOK K540 200DPI"});
  }
  TempFolder files_;
};

struct PressCase {
  const char* language;  // stored in the settings file
  const char* command;   // opens the window; nullptr: the configuration window of start-up
  const char* window;
  const char* queues;  // the list of printers
  const char* item;    // picked for OK; nullptr: Send, with a file
  const char* button;
  std::vector<std::string> told;
};

TEST_F(ModalPressTest, WindowsDrawWhileAPressWaitsAndTakeNoOtherInput) {
  const std::string label = files_.Write("label.prn", "^XA^XZ");
  const PressCase cases[] = {
      {"CHINESE",
       nullptr,
       "Form2",
       "MODEL",
       "用户级复位",
       "Command2",
       {"用户级复位完成，请重新测纸再继续打印！"}},
      {"ENGLISH",
       nullptr,
       "Form3_en",
       "MODEL",
       "Reset",
       "Command2",
       {"After reseting, please do a calibration and continue to print!"}},
      {"ENGLISH", "Sendfile_cn", "sendfile", "Combo1", nullptr, "Command1", {}},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(c.window);
    StoreLanguage(c.language);
    Start().show();
    if (c.command != nullptr) Choose(c.command);
    ASSERT_NE(Child(c.window), nullptr);
    QWidget* window = Child(c.window)->widget();
    auto* queues = window->findChild<QComboBox*>(c.queues);
    queues->setCurrentIndex(0);
    if (c.item != nullptr) {
      auto* items = window->findChild<QComboBox*>("Combo1");
      items->setCurrentIndex(items->findText(QString::fromUtf8(c.item)));
      emit items->activated(items->currentIndex());
    } else {
      window->findChild<QLineEdit*>("Text2")->setText(QString::fromStdString(label));
    }
    auto* button = window->findChild<QPushButton*>(c.button);
    messages_.shown.clear();
    const size_t jobs = spooler_.inner.jobs().size();

    PaintCounter painted(*window);
    spooler_.CloseGate();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(spooler_.RequestWaits(5s)) << "the press never reached the spooler";
    const QCursor* cursor = QGuiApplication::overrideCursor();
    EXPECT_TRUE(cursor != nullptr && cursor->shape() == Qt::BusyCursor);
    painted.paints = 0;
    window->update();
    QTest::qWait(50);  // the window draws itself meanwhile
    EXPECT_GT(painted.paints, 0) << "the window did not draw itself while the press waited";
    QTest::keyClick(queues, Qt::Key_Down);  // input while the press waits
    EXPECT_EQ(queues->currentIndex(), 0) << "a key reached the window while the press waited";
    button->click();  // a second press, as a screen reader's action makes it
    spooler_.OpenGate();
    DeliverBackgroundWork(printer_);

    EXPECT_EQ(spooler_.inner.jobs().size(), jobs + 1);
    std::vector<std::string> told;
    for (const Message& message : messages_.shown) told.push_back(message.text);
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }
}

// Shows each box for a while, as an operator takes a moment to close it, and notes where and how
// boxes came up.
class SlowBoxes : public UserMessages {
 public:
  void Show(const Message& message) override {
    shown.push_back(message.text);
    on_interface_thread &= QThread::currentThread() == qApp->thread();
    overlapping |= open;
    open = true;
    QEventLoop box;
    QTimer::singleShot(30, &box, &QEventLoop::quit);
    box.exec();
    open = false;
  }
  std::vector<std::string> shown;
  bool on_interface_thread = true;
  bool overlapping = false;
  bool open = false;
};

TEST_F(ModalPressTest, BoxesComeUpOneAtATimeInOrderOnTheInterfaceThread) {
  spooler_.inner.queue(kQueue).answers = 0;  // silent: the lookup's box, then the one naming why
  StoreLanguage("ENGLISH");
  SlowBoxes boxes;
  frame_ = std::make_unique<MDIForm1>(printer_, boxes, config_path_);
  DeliverBackgroundWork(printer_);
  QWidget* window = Child("Form3_en")->widget();
  window->findChild<QComboBox*>("MODEL")->setCurrentIndex(0);
  window->findChild<QPushButton*>("Command2")->click();
  DeliverBackgroundWork(printer_);

  EXPECT_EQ(boxes.shown,
            (std::vector<std::string>{" > GetPrinter Failed on initial call! <",
                                      "The print system did not answer in time about printer "
                                      "VARNOK_K540. Nothing was sent: check the print system and "
                                      "the printer, then try again."}));
  EXPECT_TRUE(boxes.on_interface_thread);
  EXPECT_FALSE(boxes.overlapping);
}

}  // namespace
}  // namespace varnok::testing
