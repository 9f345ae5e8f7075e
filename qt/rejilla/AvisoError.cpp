#include "qt/rejilla/AvisoError.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include "procesos/TextoAviso.h"

namespace qt {
namespace {

AvisoError& avisoFijado() {
  static AvisoError aviso;
  return aviso;
}

}  // namespace

void FijarAvisoError(AvisoError aviso) { avisoFijado() = std::move(aviso); }

void MostrarErrorDeRejilla(QWidget* padre, const QString& texto) {
  if (avisoFijado()) {
    avisoFijado()(padre, texto);
    return;
  }
  const QString conPunto = QString::fromStdString(procesos::ConPuntoFinal(texto.toStdString()));
  QMessageBox caja(QMessageBox::Critical, QCoreApplication::applicationName(), conPunto,
                   QMessageBox::Ok, padre != nullptr ? padre->window() : nullptr);
  caja.setTextFormat(Qt::PlainText);
  caja.exec();
}

}  // namespace qt
