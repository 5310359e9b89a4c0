#include "gui/qt_password_prompt.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QThread>

#include "foundation/message_template.h"
#include "gui/qt_text.h"

namespace varnok {
namespace {

struct PromptTexts {
  std::string_view title;
  std::string_view question;  // {server} and {user}
  std::string_view ok;
  std::string_view cancel;
};

constexpr PromptTexts kChinese{"密码", "打印服务器 {server} 需要用户 {user} 的密码：", "确定",
                               "取消"};
constexpr PromptTexts kEnglish{
    "Password", "The print server {server} wants the password of user {user}:", "OK", "Cancel"};

}  // namespace

// Answers the next question each time Qt's event queue wakes it on the interface thread. The
// questions wait in the prompt's own queue, under its own lock, and only the wake-up goes
// through Qt: what crosses from one thread to the other is handed over where the thread
// sanitizer sees it.
class QtPasswordPrompt::Receiver : public QObject {
  Q_OBJECT

 public:
  explicit Receiver(QtPasswordPrompt& prompt) : prompt_(prompt) {}
  Q_INVOKABLE void AnswerNextQuestion() { prompt_.AnswerNextQuestion(); }

 private:
  QtPasswordPrompt& prompt_;
};

QtPasswordPrompt::QtPasswordPrompt() : receiver_(std::make_unique<Receiver>(*this)) {
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, receiver_.get(),
                   [this] { AnswerNoMore(); });
}

QtPasswordPrompt::~QtPasswordPrompt() = default;

void QtPasswordPrompt::ShowOver(QWidget* parent, std::function<Language()> language) {
  parent_ = parent;
  language_ = std::move(language);
}

std::optional<std::string> QtPasswordPrompt::AskPassword(std::string_view user,
                                                         std::string_view server) {
  // libcups asks on the thread that makes the request, whichever it is; the dialog is a widget
  // and lives on the interface thread alone. That thread never waits for a request (the printer
  // work is done elsewhere while it runs its event loop), so the question waits for it there.
  if (QThread::currentThread() == receiver_->thread()) return AskHere(user, server);
  Question question{std::string(user), std::string(server), std::nullopt, false};
  std::unique_lock lock(mutex_);
  if (ended_) return std::nullopt;
  questions_.push_back(&question);
  QMetaObject::invokeMethod(receiver_.get(), "AnswerNextQuestion", Qt::QueuedConnection);
  answered_.wait(lock, [&question] { return question.answered; });
  return question.answer;
}

void QtPasswordPrompt::AnswerNextQuestion() {
  Question* question = nullptr;
  {
    const std::lock_guard lock(mutex_);
    if (questions_.empty()) return;
    question = questions_.front();
    questions_.pop_front();
  }
  std::optional<std::string> answer = AskHere(question->user, question->server);
  {
    const std::lock_guard lock(mutex_);
    question->answer = std::move(answer);
    question->answered = true;
  }
  answered_.notify_all();
}

void QtPasswordPrompt::AnswerNoMore() {
  {
    const std::lock_guard lock(mutex_);
    ended_ = true;
    for (Question* question : questions_) question->answered = true;
    questions_.clear();
  }
  answered_.notify_all();
}

std::optional<std::string> QtPasswordPrompt::AskHere(std::string_view user,
                                                     std::string_view server) {
  const PromptTexts& texts = language_() == Language::Chinese ? kChinese : kEnglish;
  QInputDialog dialog(parent_);
  dialog.setObjectName("PasswordPrompt");
  dialog.setWindowTitle(QtText(texts.title));
  dialog.setLabelText(QtText(FillIn(texts.question, {{"server", server}, {"user", user}})));
  dialog.setTextEchoMode(QLineEdit::Password);
  dialog.setOkButtonText(QtText(texts.ok));
  dialog.setCancelButtonText(QtText(texts.cancel));
  if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty()) return std::nullopt;
  return dialog.textValue().toStdString();
}

}  // namespace varnok

#include "qt_password_prompt.moc"
