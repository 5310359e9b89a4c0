// Takes the screenshots in docs/screenshots: the main window with each configuration window
// and the About window beside it, and the send-file window, on a fake spooler with a few brand
// queues. Run it on a real display, e.g.
//   xvfb-run -s "-screen 0 1024x768x24" build/bin/varnok_screenshots docs/screenshots
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "app/interface_font/interface_font.h"
#include "app/mdi_form1.h"
#include "app/program_icon.h"
#include "foundation/ini_file.h"
#include "foundation/language.h"
#include "gui/printer_worker.h"
#include "gui/qt_text.h"
#include "spooler/message_boxes.h"
#include "support/fake_spooler.h"

namespace {

void Settle() {
  QEventLoop loop;
  QTimer::singleShot(400, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Save(const QWidget& frame, const QString& path) {
  const QPixmap shot = frame.screen()->grabWindow(0).copy(frame.frameGeometry());
  const bool saved = shot.save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

void Pick(QWidget& frame, const char* list, int index) {
  auto* combo = frame.findChild<QComboBox*>(list);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// The shipped settings file with the given language stored.
std::string ConfigFile(const QTemporaryDir& folder, const char* stored) {
  const std::string path = folder.filePath("config.ini").toStdString();
  std::ofstream(path, std::ios::binary)
      << std::ifstream(VARNOK_SHIPPED_CONFIG, std::ios::binary).rdbuf();
  varnok::WriteIniString(path, varnok::kLanguageSection, varnok::kLanguageKey, stored);
  return path;
}

void AddQueues(varnok::testing::FakeSpooler& spooler) {
  for (const char* queue : {"VARNOK K540 200DPI", "VARNOK M-4410 (VRLZ)", "Varnok-Office"}) {
    spooler.AddQueue(queue);
  }
}

bool Shoot(const QString& folder, const char* stored, const QString& prefix) {
  QTemporaryDir config_folder;
  const std::string config_path = ConfigFile(config_folder, stored);
  varnok::testing::FakeSpooler spooler;
  AddQueues(spooler);
  varnok::PrinterWorker printer(spooler);
  varnok::MDIForm1 frame(printer, config_path);
  frame.move(0, 0);
  frame.show();
  Settle();
  bool saved = Save(frame, folder + "/" + prefix + "-start.png");

  Pick(frame, "MODEL", 0);
  Pick(frame, "Combo1", 0);
  Settle();
  saved &= Save(frame, folder + "/" + prefix + "-value-item.png");

  Pick(frame, "Combo1", frame.findChild<QComboBox*>("Combo1")->count() == 15 ? 9 : 8);
  Settle();
  saved &= Save(frame, folder + "/" + prefix + "-network-item.png");

  auto* tools = frame.findChild<QMenu*>("Tools");
  frame.menuBar()->setActiveAction(tools->menuAction());
  Settle();
  saved &= Save(frame, folder + "/" + prefix + "-tools-menu.png");
  tools->hide();

  // The About window opens beside the configuration window, whole, in the stored language.
  frame.findChild<QAction*>("About")->trigger();
  Settle();
  saved &= Save(frame, folder + "/" + prefix + "-about.png");
  return saved;
}

// The send-file window alone in the frame.
bool ShootSendFile(const QString& folder) {
  QTemporaryDir config_folder;
  const std::string config_path = ConfigFile(config_folder, "ENGLISH");
  varnok::testing::FakeSpooler spooler;
  AddQueues(spooler);
  varnok::PrinterWorker printer(spooler);
  varnok::MDIForm1 frame(printer, config_path);
  frame.move(0, 0);
  frame.show();
  frame.findChild<QAction*>("Sendfile_cn")->trigger();
  Settle();
  return Save(frame, folder + "/sendfile.png");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(varnok::QtText(varnok::kApplicationTitle));
  QApplication::setWindowIcon(varnok::ProgramIcon());
  varnok::UseInterfaceFont();
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  const bool saved = Shoot(folder, "CHINESE", "form2") && Shoot(folder, "ENGLISH", "form3_en") &&
                     ShootSendFile(folder);
  return saved ? 0 : 1;
}
