#include "spooler/printer_messages.h"

#include <string>

#include "foundation/message_template.h"

namespace varnok {
namespace {

// The texts of one window language. {printer} stands for the queue name, {reason} for the
// spooler's own explanation (in the spooler's language).
struct PrinterTexts {
  std::string_view description_failure;
  std::string_view description_failure_title;
  std::string_view job_refused;
  std::string_view no_answer;
  std::string_view lookup_no_answer;  // before anything was sent
  // {server} and {user} name the print server and the user it wants a password of.
  std::string_view password_wanted;
  std::string_view password_refused;
};

constexpr PrinterTexts kChinese{
    .description_failure = "驱动打开错误！",
    .description_failure_title = "提示",
    .job_refused = "无法将设置发送到打印机 {printer}，请检查该打印机后重试。原因：{reason}",
    .no_answer =
        "打印系统没有及时响应（打印机 {printer}），设置可能未发送。"
        "请检查打印服务和打印机后重试。",
    .lookup_no_answer =
        "打印系统没有及时响应（打印机 {printer}），未发送任何设置。请检查打印服务和打印机后重试。",
    .password_wanted =
        "打印服务器 {server} 需要用户 {user} 的密码，但没有得到密码。未向打印机 {printer} "
        "发送任何内容。",
    .password_refused =
        "打印服务器 {server} 不接受用户 {user} 的密码。未向打印机 {printer} 发送任何内容。",
};

constexpr PrinterTexts kEnglish{
    .description_failure = "Couldn't get Printer Status!",
    .description_failure_title = "Notice",
    .job_refused = "Could not send to printer {printer}: {reason}",
    .no_answer =
        "The print system did not answer in time about printer {printer}. The setting "
        "may not have been sent: check the print system and the printer, then try again.",
    .lookup_no_answer =
        "The print system did not answer in time about printer {printer}. Nothing was sent: "
        "check the print system and the printer, then try again.",
    .password_wanted =
        "The print server {server} wants a password for user {user}, and none was given. "
        "Nothing was sent to printer {printer}.",
    .password_refused =
        "The print server {server} did not accept the password of user {user}. Nothing was "
        "sent to printer {printer}.",
};

const PrinterTexts& TextsOf(Language window) {
  return window == Language::Chinese ? kChinese : kEnglish;
}

Message ApplicationWarning(std::string text) {
  return {std::move(text), std::string(kApplicationTitle), MessageIcon::Exclamation,
          MessageButtons::Ok};
}

Message JobRefusedMessage(std::string_view queue, const SpoolerFailure& failure, Language window) {
  const std::string reason =
      failure.reason.empty() ? "error " + std::to_string(failure.status) : failure.reason;
  return ApplicationWarning(
      FillIn(TextsOf(window).job_refused, {{"printer", queue}, {"reason", reason}}));
}

Message NoAnswerMessage(std::string_view queue, Language window) {
  return ApplicationWarning(FillIn(TextsOf(window).no_answer, {{"printer", queue}}));
}

}  // namespace

Message DescriptionFailureMessage(Language window) {
  const PrinterTexts& texts = TextsOf(window);
  return {std::string(texts.description_failure), std::string(texts.description_failure_title),
          MessageIcon::Exclamation, MessageButtons::Ok};
}

Message LookupNoAnswerMessage(std::string_view queue, Language window) {
  return ApplicationWarning(FillIn(TextsOf(window).lookup_no_answer, {{"printer", queue}}));
}

Message PasswordWantedMessage(std::string_view queue, const PasswordWanted& wanted,
                              Language window) {
  const PrinterTexts& texts = TextsOf(window);
  return ApplicationWarning(
      FillIn(wanted.refused ? texts.password_refused : texts.password_wanted,
             {{"server", wanted.server}, {"user", wanted.user}, {"printer", queue}}));
}

Message FailureMessage(std::string_view queue, const SpoolerFailure& failure, Language window) {
  if (failure.no_answer) return NoAnswerMessage(queue, window);
  if (failure.password) return PasswordWantedMessage(queue, *failure.password, window);
  return JobRefusedMessage(queue, failure, window);
}

}  // namespace varnok
