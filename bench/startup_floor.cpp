// The floors of the start-up benchmark: the least a Qt Widgets program does to show a window,
// empty or, given a text as its argument, holding that text in one label.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Start-up floor");
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) (new QLabel(arguments[1], &window))->move(20, 20);
  window.show();
  return QApplication::exec();
}
