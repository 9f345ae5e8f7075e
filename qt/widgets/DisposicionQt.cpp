#include "qt/widgets/DisposicionQt.h"

#include <QApplication>
#include <QPalette>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qt {

namespace {

QColor sistema(int indice, const QColor& porDefecto) {
#ifdef _WIN32
  const DWORD c = GetSysColor(indice);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
#else
  (void)indice;
  return porDefecto;
#endif
}

}  // namespace

QColor colorQt(const ui::Color& color) {
  using S = ui::Color::Sistema;
  switch (color.sistema) {
    case S::Escritorio:
      return sistema(1 /* COLOR_BACKGROUND */, QColor(0x3A, 0x6E, 0xA5));
    case S::Resaltado:
      return sistema(26 /* COLOR_HOTLIGHT */, QColor(0x00, 0x66, 0xCC));
    case S::CaraBoton:
      return QApplication::palette().color(QPalette::Button);
    case S::Ninguno:
      break;
  }
  return QColor(color.r, color.g, color.b);
}

QFont fuenteQt(const ui::Fuente& fuente) {
  QFont f(textoQt(fuente.cara));
  f.setPixelSize(fuente.pixeles);
  f.setBold(fuente.negrita);
  f.setUnderline(fuente.subrayada);
  return f;
}

}  // namespace qt
