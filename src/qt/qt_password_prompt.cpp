#include "qt/qt_password_prompt.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QThread>

#include "qt/qt_text.h"
#include "settings/message_template.h"

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

void QtPasswordPrompt::ShowOver(QWidget* parent, std::function<Language()> language) {
  parent_ = parent;
  language_ = std::move(language);
}

std::optional<std::string> QtPasswordPrompt::AskPassword(std::string_view user,
                                                         std::string_view server) {
  // libcups asks on the thread that makes the request, whichever it is; the dialog is a widget
  // and lives on the interface thread alone. That thread never waits for a request (the printer
  // work is done elsewhere while it runs its event loop), so the question can wait for it there.
  QCoreApplication* application = QCoreApplication::instance();
  if (QThread::currentThread() == application->thread()) return AskHere(user, server);
  std::optional<std::string> answer;
  QMetaObject::invokeMethod(
      application, [&] { answer = AskHere(user, server); }, Qt::BlockingQueuedConnection);
  return answer;
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
