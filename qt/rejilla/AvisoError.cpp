#include "qt/rejilla/AvisoError.h"

#include "qt/Mensajes.h"

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
  qt::MostrarError(padre, texto);
}

}  // namespace qt
