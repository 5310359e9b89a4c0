// The floor of the start-up benchmark: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Start-up floor");
  window.show();
  return QApplication::exec();
}
