#pragma once

#include <QPointer>
#include <QWidget>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "foundation/language.h"
#include "spooler/password_prompt.h"

namespace varnok {

// Asks for the print server's password in a small modal dialog with a password field, naming
// the user and the server; cancelled, or left empty, it gives none. Made on the interface thread,
// it may be asked on any thread (libcups asks on the one making the request): the dialog is
// always shown on the interface thread, the asking thread waiting for its answer. Once the event
// loop has ended, as the program ends, a question from another thread gets none at once: the
// printer worker's end waits for the work that asked it.
class QtPasswordPrompt final : public PasswordPrompt {
 public:
  QtPasswordPrompt();
  ~QtPasswordPrompt() override;
  QtPasswordPrompt(const QtPasswordPrompt&) = delete;
  QtPasswordPrompt& operator=(const QtPasswordPrompt&) = delete;

  // The dialog's parent window and the language it speaks, read at each question; until set,
  // the dialog stands alone and speaks English.
  void ShowOver(QWidget* parent, std::function<Language()> language);

  std::optional<std::string> AskPassword(std::string_view user, std::string_view server) override;

 private:
  class Receiver;
  struct Question {
    std::string user;
    std::string server;
    std::optional<std::string> answer;
    bool answered = false;
  };

  std::optional<std::string> AskHere(std::string_view user, std::string_view server);
  void AnswerNextQuestion();
  void AnswerNoMore();

  QPointer<QWidget> parent_;
  std::function<Language()> language_ = [] { return Language::English; };
  std::unique_ptr<Receiver> receiver_;  // on the interface thread: answers the questions
  std::mutex mutex_;
  std::condition_variable answered_;
  std::deque<Question*> questions_;  // asked from other threads, not yet answered
  bool ended_ = false;               // the event loop has ended
};

}  // namespace varnok
