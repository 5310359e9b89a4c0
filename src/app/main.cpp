#include <QApplication>

#include "app/interface_font/interface_font.h"
#include "app/mdi_form1.h"
#include "app/program_icon.h"
#include "foundation/program_folder.h"
#include "gui/printer_worker.h"
#include "gui/qt_password_prompt.h"
#include "gui/qt_text.h"
#include "spooler/message_boxes.h"
#include "spooler/system_spooler.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // A print server that wants a password is asked in a dialog, once until it turns the answer
  // down; never on a terminal.
  varnok::QtPasswordPrompt password_dialog;
  varnok::PrintServerPassword password(password_dialog,
                                       varnok::PrintServerPassword::Asking::AgainWhenRefused);
  const std::unique_ptr<varnok::Spooler> spooler = varnok::MakeSystemSpooler(&password);
  QApplication::setApplicationName(varnok::QtText(varnok::kApplicationTitle));
  QApplication::setWindowIcon(varnok::ProgramIcon());
  varnok::UseInterfaceFont();
  // It outlives the windows: what a window closed while it waited for the print system had asked
  // for ends on the worker (within the step's time limit) before the program does.
  varnok::PrinterWorker printer(*spooler);
  varnok::MDIForm1 frame(printer, varnok::ConfigFilePath(), &password_dialog);
  frame.show();
  return QApplication::exec();
}
