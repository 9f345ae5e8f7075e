// A stand-in for the timetable generator's window: a plain top-level window that
// prints its X11 window id in hexadecimal (no prefix) and waits to be killed.

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget ventana;
  ventana.setWindowTitle(QStringLiteral("Anfitrion"));
  QPalette p = ventana.palette();
  p.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
  ventana.setPalette(p);
  ventana.setAutoFillBackground(true);
  ventana.setGeometry(10, 10, 640, 300);
  ventana.show();
  std::printf("%llx\n", static_cast<unsigned long long>(ventana.winId()));
  std::fflush(stdout);
  return app.exec();
}
