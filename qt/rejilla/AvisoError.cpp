#include "qt/rejilla/AvisoError.h"

#include "qt/Mensajes.h"

namespace rejilla {
namespace {

AvisoError& avisoFijado() {
  static AvisoError aviso;
  return aviso;
}

}  // namespace

void FijarAvisoError(AvisoError aviso) { avisoFijado() = std::move(aviso); }

void MostrarError(QWidget* padre, const QString& texto) {
  if (avisoFijado()) {
    avisoFijado()(padre, texto);
    return;
  }
  tzv::MostrarError(padre, texto);
}

}  // namespace rejilla
