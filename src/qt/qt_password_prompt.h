#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "printer/password_prompt.h"
#include "settings/language.h"

namespace varnok {

// Asks for the print server's password in a small modal dialog with a password field, naming
// the user and the server; cancelled, or left empty, it gives none. It is asked on the interface
// thread or from work on the printer worker: the dialog is always shown on the interface thread.
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
