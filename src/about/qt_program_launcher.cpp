#include "about/qt_program_launcher.h"

#include <QProcess>
#include <QString>

namespace varnok {

bool QtProgramLauncher::StartDetached(const std::string& program) {
  return QProcess::startDetached(QString::fromStdString(program), {});
}

}  // namespace varnok
