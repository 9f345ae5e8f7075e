#include "CajaUnidades.h"

#include <QStyle>

#include "WinPath.h"

CajaUnidades::CajaUnidades(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  releer();
  connect(this, &QComboBox::activated, this, [this](int) {
    if (const char u = unidad()) emit unidadElegida(u);
  });
}

void CajaUnidades::releer() {
  const char antes = unidad();
  clear();
  const QIcon icono = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (char letra : winpath::drives()) {
    const QChar c = QLatin1Char(letra);
    addItem(icono, QString(c.toLower()) + QLatin1Char(':'), QVariant(c));
  }
  setCurrentIndex(antes != 0 ? findData(QVariant(QChar(QLatin1Char(antes)))) : -1);
}

char CajaUnidades::unidad() const {
  const QVariant v = currentData();
  return v.isValid() ? v.toChar().toLatin1() : 0;
}

void CajaUnidades::mostrarCarpeta(const QString& carpeta) {
  if (carpeta.size() < 2 || carpeta[1] != QLatin1Char(':')) return;
  const char letra = carpeta[0].toUpper().toLatin1();
  actual_[letra] = carpeta;
  const QSignalBlocker bloqueo(this);
  setCurrentIndex(findData(QVariant(QChar(QLatin1Char(letra)))));
}

QString CajaUnidades::carpetaActual(char unidad) const {
  const auto it = actual_.constFind(unidad);
  if (it != actual_.constEnd()) return *it;
  return QString(QLatin1Char(unidad)) + QStringLiteral(":\\");
}
