#include "qt/rejilla/AvisoError.h"

#include "qt/Mensajes.h"

namespace qt {
namespace {

AvisoError& avisoFijado() {
  static AvisoError aviso;
  return aviso;
}

}  // namespace

void fijarAvisoError(AvisoError aviso) { avisoFijado() = std::move(aviso); }

void mostrarErrorDeRejilla(QWidget* padre, const QString& texto) {
  if (avisoFijado()) {
    avisoFijado()(padre, texto);
    return;
  }
  qt::mostrarError(padre, texto);
}

}  // namespace qt
