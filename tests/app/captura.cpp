// Looks at what an X11 window shows.
//   captura guardar VENTANA ARCHIVO.png      saves the window (0: the whole screen)
//   captura rojos VENTANA X Y ANCHO ALTO     prints how many pixels of that part are red
//   captura color VENTANA X Y                prints the colour of one pixel (#rrggbb)
// VENTANA is a window id in hexadecimal, with or without 0x.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QStringList a = app.arguments();
  if (a.size() < 3) {
    std::fprintf(stderr, "uso: captura guardar|rojos|color VENTANA ...\n");
    return 2;
  }
  QString id = a[2];
  if (id.startsWith(QLatin1String("0x"))) id = id.mid(2);
  bool ok = false;
  const WId ventana = static_cast<WId>(id.toULongLong(&ok, 16));
  if (!ok) return 2;
  QScreen* pantalla = QGuiApplication::primaryScreen();
  if (pantalla == nullptr) return 1;

  if (a[1] == QLatin1String("guardar") && a.size() == 4) {
    return pantalla->grabWindow(ventana).save(a[3]) ? 0 : 1;
  }
  if (a[1] == QLatin1String("rojos") && a.size() == 7) {
    const QImage img =
        pantalla->grabWindow(ventana, a[3].toInt(), a[4].toInt(), a[5].toInt(), a[6].toInt())
            .toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, y);
        if (c.red() >= 200 && c.green() <= 80 && c.blue() <= 80) ++n;
      }
    std::printf("%d\n", n);
    return 0;
  }
  if (a[1] == QLatin1String("color") && a.size() == 5) {
    const QImage img = pantalla->grabWindow(ventana, a[3].toInt(), a[4].toInt(), 1, 1).toImage();
    if (img.isNull()) return 1;
    std::printf("%s\n", qPrintable(img.pixelColor(0, 0).name()));
    return 0;
  }
  std::fprintf(stderr, "uso: captura guardar|rojos|color VENTANA ...\n");
  return 2;
}
