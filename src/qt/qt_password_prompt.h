#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "printer/password_prompt.h"
#include "settings/language.h"

namespace varnok {

// Asks for the print server's password in a small modal dialog with a password field, naming
// the user and the server; cancelled, or left empty, it gives none. It may be asked on any thread
// (libcups asks on the one making the request): the dialog is always shown on the interface
// thread, the asking thread waiting for its answer.
class QtPasswordPrompt final : public PasswordPrompt {
 public:
  // The dialog's parent window and the language it speaks, read at each question; until set,
  // the dialog stands alone and speaks English.
  void ShowOver(QWidget* parent, std::function<Language()> language);

  std::optional<std::string> AskPassword(std::string_view user, std::string_view server) override;

 private:
  std::optional<std::string> AskHere(std::string_view user, std::string_view server);

  QPointer<QWidget> parent_;
  std::function<Language()> language_ = [] { return Language::English; };
};

}  // namespace varnok
