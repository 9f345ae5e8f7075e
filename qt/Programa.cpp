#include "qt/Programa.h"

#include <QFile>
#include <QFontDatabase>

namespace qt {

bool registrarFuentes() {
  static const QString kFuente = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
  if (!QFile::exists(kFuente)) return false;
  return QFontDatabase::addApplicationFont(kFuente) >= 0;
}

}  // namespace qt
