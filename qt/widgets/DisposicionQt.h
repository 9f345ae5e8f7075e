#pragma once
// The layout tables' colours and fonts as Qt takes them.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "ui/Disposicion.h"

namespace qt {

// A system colour resolves to the system's value, or to the Windows default where the
// system has none.
QColor colorQt(const ui::Color& color);
QFont fuenteQt(const ui::Fuente& fuente);
inline QString textoQt(std::string_view texto) {
  return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}
inline QRect cajaQt(const ui::Caja& c) { return QRect(c.x, c.y, c.ancho, c.alto); }

}  // namespace qt
