#include "app/mdi_form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <utility>

#include "about/about_form.h"
#include "app/child_windows.h"
#include "app/menu_captions.h"
#include "app/program_icon.h"
#include "foundation/ini_file.h"
#include "gui/modal_press.h"
#include "gui/qt_password_prompt.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "printer_settings/window/config_form.h"
#include "send_file/send_file_form.h"

namespace varnok {

namespace {

constexpr std::string_view kCaption = "VARNOK Printer Utility 2.20";
constexpr int kWorkAreaWidth = 12540;
constexpr int kWorkAreaHeight = 8490;

constexpr char kSendFileWindow[] = "sendfile";
constexpr char kAboutWindow[] = "frmAbout";

QAction* AddAction(QMenu* menu, const char* name) {
  QAction* action = menu->addAction(QString());
  action->setObjectName(name);
  return action;
}

QMenu* AddMenu(QWidget* parent, const char* name) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(name);
  return menu;
}

}  // namespace

MDIForm1::MDIForm1(PrinterWorker& printer, std::string config_path,
                   QtPasswordPrompt* password_dialog, QWidget* parent)
    : MDIForm1(printer, message_boxes_, std::move(config_path), parent, password_dialog) {}

MDIForm1::MDIForm1(PrinterWorker& printer, UserMessages& messages, std::string config_path,
                   QWidget* parent)
    : MDIForm1(printer, messages, std::move(config_path), parent, nullptr) {}

MDIForm1::MDIForm1(PrinterWorker& printer, UserMessages& messages, std::string config_path,
                   QWidget* parent, QtPasswordPrompt* password_dialog)
    : QMainWindow(parent),
      printer_(printer),
      config_path_(std::move(config_path)),
      message_boxes_(this),
      messages_(messages),
      area_(new QMdiArea(this)) {
  setObjectName("MDIForm1");
  setWindowTitle(QtText(kCaption));
  setWindowIcon(ProgramIcon());
  area_->setObjectName("WorkArea");
  setCentralWidget(area_);
  // Before the configuration window opens: listing the queues may already need a password.
  if (password_dialog != nullptr) {
    password_dialog->ShowOver(this, [this] { return DialogLanguage(); });
  }
  BuildMenus();
  MDIForm_Load();
  SizeWorkArea();  // once the menus have their captions
}

// The frame grows by whatever the menu bar takes, so that the work area gets its size.
void MDIForm1::SizeWorkArea() {
  const QSize work_area = TwipsSize(this, kWorkAreaWidth, kWorkAreaHeight);
  resize(work_area);
  layout()->activate();
  resize(size() + (work_area - area_->size()));
}

void MDIForm1::BuildMenus() {
  file_ = AddMenu(menuBar(), "file");
  exit1_ = AddAction(file_, "exit1");

  tools_ = AddMenu(menuBar(), "Tools");
  printer_config_ = AddAction(tools_, "PrinterConfig");
  sendfile_cn_ = AddAction(tools_, "Sendfile_cn");
  update_firmware_ = AddAction(tools_, "UpdateFirmware");
  test_ = AddAction(tools_, "test");

  help_ = AddMenu(menuBar(), "Help");
  language_ = AddMenu(help_, "LANGUAGE");
  chinese_ = AddAction(language_, "Chinese");
  english_ = AddAction(language_, "English");
  english_->setText(QtText(kEnglishItemCaption));
  help_->addMenu(language_);
  helpdo_ = AddAction(help_, "Helpdo");
  about_ = AddAction(help_, "About");

  menuBar()->addMenu(file_);
  menuBar()->addMenu(tools_);
  menuBar()->addMenu(help_);

  chinese_->setCheckable(true);
  chinese_->setChecked(true);
  english_->setCheckable(true);
  // Greyed from the start; nothing enables them.
  update_firmware_->setEnabled(false);
  test_->setEnabled(false);
  helpdo_->setEnabled(false);

  OnTriggered(exit1_, &MDIForm1::exit1_Click);
  OnTriggered(printer_config_, &MDIForm1::PrinterConfig_Click);
  OnTriggered(sendfile_cn_, &MDIForm1::Sendfile_cn_Click);
  OnTriggered(chinese_, &MDIForm1::Chinese_Click);
  OnTriggered(english_, &MDIForm1::English_Click);
  OnTriggered(about_, &MDIForm1::About_Click);
}

void MDIForm1::OnTriggered(QAction* action, void (MDIForm1::*command)()) {
  connect(action, &QAction::triggered, this, [this, command] {
    RunAfterPress([frame = QPointer<MDIForm1>(this), command] {
      if (frame) (frame->*command)();
    });
  });
}

void MDIForm1::MDIForm_Load() {
  const Language captions = CaptionLanguage(StoredLanguageValue());
  CheckLanguage(captions);
  SetMenuCaptions(MenuCaptionsFor(captions));
  sendfile_cn_->setText(QtText(MenuCaptionsFor(captions).sendfile_at_startup));
  ShowConfigWindow(WindowLanguage(StoredLanguageValue()));
}

void MDIForm1::exit1_Click() { close(); }

void MDIForm1::PrinterConfig_Click() { ShowConfigWindow(WindowLanguage(StoredLanguageValue())); }

void MDIForm1::Sendfile_cn_Click() {
  CloseChildWindow(*area_, ConfigForm::ObjectName(WindowLanguage(StoredLanguageValue())));
  ShowChildWindow(*area_, kSendFileWindow,
                  [this] { return new SendFileForm(printer_, messages_); });
}

void MDIForm1::Chinese_Click() { SwitchLanguage(Language::Chinese); }

void MDIForm1::English_Click() { SwitchLanguage(Language::English); }

void MDIForm1::About_Click() {
  ShowChildWindow(*area_, kAboutWindow, [this] { return new AboutForm(config_path_); });
}

// The menus, their check marks and the window that opens follow the value read back from the
// file, not the command chosen, so what the user sees is what is stored: after a failed write (a
// user who may not write the file) they stay in the old language, and nothing else is said.
void MDIForm1::SwitchLanguage(Language language) {
  WriteIniString(config_path_, kLanguageSection, kLanguageKey, StoredValue(language));
  const std::string stored = StoredLanguageValue();
  const Language captions = CaptionLanguage(stored);
  CheckLanguage(captions);
  SetMenuCaptions(MenuCaptionsFor(captions));
  sendfile_cn_->setText(QtText(MenuCaptionsFor(captions).sendfile_after_switching));

  const Language window = WindowLanguage(stored);
  const Language other = window == Language::Chinese ? Language::English : Language::Chinese;
  CloseChildWindow(*area_, ConfigForm::ObjectName(other));
  ShowConfigWindow(window);
}

void MDIForm1::SetMenuCaptions(const MenuCaptions& captions) {
  file_->setTitle(QtText(captions.file));
  exit1_->setText(QtText(captions.exit1));
  tools_->setTitle(QtText(captions.tools));
  printer_config_->setText(QtText(captions.printer_config));
  update_firmware_->setText(QtText(captions.update_firmware));
  test_->setText(QtText(captions.test));
  help_->setTitle(QtText(captions.help));
  language_->setTitle(QtText(captions.language));
  chinese_->setText(QtText(captions.chinese));
  helpdo_->setText(QtText(captions.helpdo));
  about_->setText(QtText(captions.about));
}

void MDIForm1::CheckLanguage(Language language) {
  chinese_->setChecked(language == Language::Chinese);
  english_->setChecked(language == Language::English);
}

Language MDIForm1::DialogLanguage() const {
  const QMdiSubWindow* active = area_->activeSubWindow();
  if (active != nullptr && active == FindChildWindow(*area_, kSendFileWindow)) {
    return Language::English;
  }
  return WindowLanguage(StoredLanguageValue());
}

std::string MDIForm1::StoredLanguageValue() const {
  return ReadIniString(config_path_, kLanguageSection, kLanguageKey);
}

void MDIForm1::ShowConfigWindow(Language window) {
  ShowChildWindow(*area_, ConfigForm::ObjectName(window), [this, window] {
    return new ConfigForm(window, printer_, messages_, config_path_);
  });
}

// Every child window is closed before the frame goes, and the program ends with it.
void MDIForm1::closeEvent(QCloseEvent* event) {
  area_->closeAllSubWindows();
  event->accept();
}

}  // namespace varnok
