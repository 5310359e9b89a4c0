// The print server's password asked during the configuration window's OK, through libcups, which
// asks on the thread that makes the request: the dialog comes up on the interface thread over the
// main window, the user answers it there, and the job goes once with the password; nothing goes
// when the dialog is cancelled or the server turns the password down.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/mdi_form1.h"
#include "gui/qt_password_prompt.h"
#include "spooler/cups_spooler.h"
#include "spooler/print_server_password.h"
#include "support/background_delivery.h"
#include "support/fake_ipp_server.h"
#include "support/message_recorder.h"

namespace varnok::testing {
namespace {

constexpr char kPromptQueue[] = "VARNOK_K540_200DPI";
constexpr char kPromptResetBytes[] = "^@\r";

// Answers every password dialog as a user does, typing and clicking on the interface thread,
// and notes where each dialog was.
class PasswordUser {
 public:
  explicit PasswordUser(std::optional<QString> typed) {
    QObject::connect(&poll_, &QTimer::timeout, [this, typed] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QInputDialog*>(widget);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        ++asked;
        all_on_interface_thread &= dialog->thread() == QThread::currentThread();
        parents.push_back(dialog->parentWidget());
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        if (typed) QTest::keyClicks(dialog->findChild<QLineEdit*>(), *typed);
        QTest::mouseClick(buttons->button(typed ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
      }
    });
    poll_.start(10);
  }
  int asked = 0;
  bool all_on_interface_thread = true;
  std::vector<QWidget*> parents;

 private:
  QTimer poll_;
};

void Pick(QWidget& window, const char* list_name, const char* entry) {
  auto* list = window.findChild<QComboBox*>(list_name);
  const int index = list->findText(entry);
  ASSERT_GE(index, 0) << entry;
  list->setCurrentIndex(index);
  emit list->activated(index);
}

TEST(PasswordDuringPress, AskedOnTheInterfaceThreadAndTheJobGoesOnceWithIt) {
  const struct {
    const char* name;
    std::optional<QString> typed;  // nullopt: cancelled
    std::vector<std::string> documents;
    const char* says;  // part of the one message
  } cases[] = {
      {"Given", "secret", {kPromptResetBytes}, "After reseting"},
      {"Cancelled", std::nullopt, {}, "wants a password for user"},
      {"Refused", "wrong", {}, "did not accept the password of user"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeIppServer server(std::vector<FakePrinter>{{kPromptQueue, "VARNOK K540 200DPI"}});
    server.Set(IPP_OP_CREATE_JOB, {.reply = Reply::Unauthorized, .password = "secret"});
    // Read by the printer worker's thread at its first request.
    setenv("CUPS_SERVER", server.Address().c_str(), 1);
    QTemporaryDir folder;
    const std::string config_path = folder.filePath("config.ini").toStdString();
    std::ofstream(config_path, std::ios::binary) << "[LANGUAGE]\r\nLG=ENGLISH\r\n";
    QtPasswordPrompt prompt;
    PrintServerPassword password(prompt, PrintServerPassword::Asking::AgainWhenRefused);
    CupsSpooler spooler(&password);
    PrinterWorker printer(spooler);
    MessageRecorder messages;
    MDIForm1 frame(printer, messages, config_path);
    prompt.ShowOver(&frame, [] { return Language::English; });
    frame.show();
    frame.findChild<QAction*>("PrinterConfig")->trigger();
    DeliverBackgroundWork(printer);
    auto* window = frame.findChild<QWidget*>("Form3_en");
    ASSERT_NE(window, nullptr);
    Pick(*window, "MODEL", kPromptQueue);
    Pick(*window, "Combo1", "Reset");

    PasswordUser user(c.typed);
    window->findChild<QPushButton*>("Command2")->click();
    DeliverBackgroundWork(printer);

    EXPECT_EQ(user.asked, 1);
    EXPECT_TRUE(user.all_on_interface_thread);
    EXPECT_EQ(user.parents, std::vector<QWidget*>(user.asked, &frame));
    EXPECT_EQ(server.Documents(), c.documents);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(c.says), std::string::npos) << messages.shown[0].text;
  }
  unsetenv("CUPS_SERVER");
}

}  // namespace
}  // namespace varnok::testing
