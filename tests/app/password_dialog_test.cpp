// The print server's password dialog: asked from the printer worker, it is shown on the
// user-interface thread over the main window, in the language of the window it comes from.
#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <chrono>
#include <future>

#include "gui/qt_password_prompt.h"
#include "main_window_fixture.h"

namespace varnok::testing {
namespace {

// What the user sees in the dialog, as the test finds it once it shows.
struct SeenDialog {
  QString title;
  QString question;
  QString ok;
  bool password_field = false;
  QWidget* parent = nullptr;
};

// Waits in the event loop for the dialog, notes what it shows, and answers it (nullopt cancels).
class DialogAnswer {
 public:
  explicit DialogAnswer(std::optional<QString> typed) {
    QObject::connect(&poll_, &QTimer::timeout, [this, typed] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QInputDialog*>(widget);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        poll_.stop();
        seen = {dialog->windowTitle(), dialog->labelText(), dialog->okButtonText(),
                dialog->textEchoMode() == QLineEdit::Password, dialog->parentWidget()};
        if (!typed) return dialog->reject();
        dialog->setTextValue(*typed);
        dialog->accept();
      }
    });
    poll_.start(10);
  }
  SeenDialog seen;

 private:
  QTimer poll_;
};

// Asks from work on the printer worker, as the spooler there does.
std::optional<std::string> AskFromTheWorker(PasswordPrompt& prompt) {
  FakeSpooler spooler;
  PrinterWorker printer(spooler);
  std::optional<std::string> answer;
  printer.Post([&](Spooler&) { answer = prompt.AskPassword("operator", "printserver.example"); });
  DeliverBackgroundWork(printer);
  return answer;
}

TEST(QtPasswordPrompt, AsksOnTheInterfaceThreadFromTheWorkerInTheWindowsLanguage) {
  const struct {
    const char* name;
    Language language;
    bool from_the_worker;
    std::optional<QString> typed;
    std::optional<std::string> answer;
    const char* question;
    const char* ok;
  } cases[] = {
      {"English, typed", Language::English, false, "s3cret", "s3cret",
       "The print server printserver.example wants the password of user operator:", "OK"},
      {"Chinese, typed, from a worker", Language::Chinese, true, "s3cret", "s3cret",
       "打印服务器 printserver.example 需要用户 operator 的密码：", "确定"},
      {"English, cancelled, from a worker", Language::English, true, std::nullopt, std::nullopt,
       "The print server printserver.example wants the password of user operator:", "OK"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget window;
    QtPasswordPrompt prompt;
    prompt.ShowOver(&window, [&c] { return c.language; });
    DialogAnswer user(c.typed);
    const std::optional<std::string> answer =
        c.from_the_worker ? AskFromTheWorker(prompt)
                          : prompt.AskPassword("operator", "printserver.example");
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(user.seen.question.toStdString(), c.question);
    EXPECT_EQ(user.seen.ok.toStdString(), c.ok);
    EXPECT_TRUE(user.seen.password_field);
    EXPECT_EQ(user.seen.parent, &window);
  }
}

// Once the event loop has ended, as when the program ends, a question from another thread gets
// no answer at once rather than waiting for a dialog nobody will show: the printer worker's end
// waits for the work that asked it.
TEST(QtPasswordPrompt, AnswersNothingOnceTheEventLoopHasEnded) {
  QtPasswordPrompt prompt;
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  QApplication::exec();
  auto asked = std::async(std::launch::async,
                          [&prompt] { return prompt.AskPassword("operator", "localhost"); });
  const bool at_once = asked.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  EXPECT_TRUE(at_once) << "the question waited for a dialog after the event loop had ended";
  if (!at_once) {
    DialogAnswer user(std::nullopt);  // lets the test end
    while (asked.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
      QCoreApplication::processEvents();
    }
  }
  EXPECT_EQ(asked.get(), std::nullopt);
}

// Over the main window, the dialog speaks the configuration window's language, and English
// over the send-file window, which has no other.
TEST_F(MainWindowTest, PasswordDialogFollowsTheWindowItComesFrom) {
  StoreLanguage("CHINESE");
  QtPasswordPrompt prompt;
  MDIForm1 frame(printer_, config_path_, &prompt);
  const auto question = [&prompt] {
    DialogAnswer user(std::nullopt);
    prompt.AskPassword("operator", "localhost");
    return user.seen;
  };
  SeenDialog seen = question();
  EXPECT_EQ(seen.title.toStdString(), "密码");
  EXPECT_EQ(seen.parent, &frame);
  frame.findChild<QAction*>("Sendfile_cn")->trigger();
  EXPECT_EQ(question().title.toStdString(), "Password");
}

}  // namespace
}  // namespace varnok::testing
