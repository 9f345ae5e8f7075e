#include "qt/CajaUnidades.h"

#include <QStyle>

#include "qt/widgets/DisposicionQt.h"
#include "ui/ModeloUnidades.h"

namespace qt {

CajaUnidades::CajaUnidades(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this](int) {
    if (const char u = unidad()) emit unidadElegida(u);
  });
}

void CajaUnidades::mostrar(const ui::ModeloUnidades& modelo) {
  const QSignalBlocker bloqueo(this);
  clear();
  const QIcon icono = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (char letra : modelo.unidades())
    addItem(icono, textoQt(ui::ModeloUnidades::texto(letra)), QVariant(QChar(QLatin1Char(letra))));
  const char elegida = modelo.seleccionada();
  setCurrentIndex(elegida != 0 ? findData(QVariant(QChar(QLatin1Char(elegida)))) : -1);
}

char CajaUnidades::unidad() const {
  const QVariant v = currentData();
  return v.isValid() ? v.toChar().toLatin1() : 0;
}

}  // namespace qt
