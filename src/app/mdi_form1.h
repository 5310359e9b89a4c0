#pragma once

#include <QMainWindow>
#include <string>

#include "foundation/language.h"
#include "gui/qt_message_boxes.h"

class QAction;
class QMdiArea;
class QMenu;

namespace varnok {

class PrinterWorker;
class QtPasswordPrompt;
struct MenuCaptions;

// The main window "MDIForm1": a frame whose work area holds the configuration, send-file and
// About windows, with the File, Tools and Help menus. It opens the configuration window of the
// stored interface language when it loads. Its menu commands wait for a press of OK or Send that
// runs (a screen reader may choose them meanwhile) and are carried out once it has ended.
class MDIForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // The print server's password dialog, when given, is shown over this window and speaks the
  // language of the window it comes from.
  MDIForm1(PrinterWorker& printer, std::string config_path,
           QtPasswordPrompt* password_dialog = nullptr, QWidget* parent = nullptr);
  // Tells the user through messages instead of message boxes (tests use a recorder).
  MDIForm1(PrinterWorker& printer, UserMessages& messages, std::string config_path,
           QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  MDIForm1(PrinterWorker& printer, UserMessages& messages, std::string config_path, QWidget* parent,
           QtPasswordPrompt* password_dialog);

  // English over the send-file window, which has no other language; the configuration
  // window's otherwise.
  Language DialogLanguage() const;
  void BuildMenus();
  // Carries out the action's command, once a press that runs has ended.
  void OnTriggered(QAction* action, void (MDIForm1::*command)());
  void SizeWorkArea();
  void MDIForm_Load();
  void exit1_Click();
  void PrinterConfig_Click();
  void Sendfile_cn_Click();
  void Chinese_Click();
  void English_Click();
  void About_Click();

  void SwitchLanguage(Language language);
  void SetMenuCaptions(const MenuCaptions& captions);
  void CheckLanguage(Language language);
  // The stored interface language value, read afresh from the settings file.
  std::string StoredLanguageValue() const;
  void ShowConfigWindow(Language window);

  PrinterWorker& printer_;
  std::string config_path_;
  QtUserMessages message_boxes_;
  UserMessages& messages_;
  QMdiArea* area_;

  QMenu* file_;
  QAction* exit1_;
  QMenu* tools_;
  QAction* printer_config_;
  QAction* sendfile_cn_;
  QAction* update_firmware_;
  QAction* test_;
  QMenu* help_;
  QMenu* language_;
  QAction* chinese_;
  QAction* english_;
  QAction* helpdo_;
  QAction* about_;
};

}  // namespace varnok
