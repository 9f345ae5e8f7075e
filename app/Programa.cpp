#include "Programa.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>

namespace tzv {
namespace {

QString& carpetaFijada() {
  static QString carpeta;
  return carpeta;
}

}  // namespace

QString CarpetaPrograma() {
  if (!carpetaFijada().isEmpty()) return carpetaFijada();
  return QCoreApplication::applicationDirPath();
}

void FijarCarpetaPrograma(const QString& carpeta) { carpetaFijada() = carpeta; }

bool RegistrarFuentes() {
  static const QString kFuente = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
  if (!QFile::exists(kFuente)) return false;
  return QFontDatabase::addApplicationFont(kFuente) >= 0;
}

}  // namespace tzv
