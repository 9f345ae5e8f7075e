#include "ui/PresentadorComprobacion.h"

#include "gescen/Staging.h"
#include "procesos/importar/ComprobarDNI.h"
#include "procesos/importar/ComprobarPlantilla.h"

namespace ui {
namespace {

std::unique_ptr<dbf::Table> abrir(Comprobacion cual) {
  const bool profesores = cual == Comprobacion::Profesores;
  auto t = std::make_unique<dbf::Table>(profesores ? "wwTableProft" : "wwTablePlantilla");
  t->setDatabaseName(profesores ? gescen::kCarpetaTrabajo : procesos::kCarpetaPlantilla);
  t->setTableName(profesores ? "proft.dbf" : "plantilla");
  t->setExclusive(false);
  t->open();
  return t;
}

bool esEditando(dbf::TableState s) {
  return s == dbf::TableState::Edit || s == dbf::TableState::Insert;
}

}  // namespace

PresentadorComprobacion::PresentadorComprobacion(Comprobacion cual)
    : cual_(cual), tabla_(abrir(cual)) {
  std::vector<ColumnaDatos> columnas;
  for (const Columna& c : disposicion().columnas)
    columnas.push_back({std::string(c.campo), c.caracteres, std::string(c.titulo), c.editable});
  datos_.setColumnas(std::move(columnas));
  datos_.setTabla(tabla_.get());
}

PresentadorComprobacion::~PresentadorComprobacion() {
  // The views let go of the handle before it goes.
  datos_.setTabla(nullptr);
}

const Dialogo& PresentadorComprobacion::disposicion() const {
  return cual_ == Comprobacion::Profesores ? dialogoControlProfesores() : dialogoControlPlantilla();
}

void PresentadorComprobacion::rejillaEntrada() {
  // Through the dataset, so that grid and navigator see the record in editing.
  if (!esEditando(tabla_->state())) datos_.editar();
}

void PresentadorComprobacion::rejillaSalida() {
  if (esEditando(tabla_->state())) datos_.grabar();
}

void PresentadorComprobacion::salir() {
  if (cual_ == Comprobacion::Profesores) dniCorrecto_ = !procesos::algunProfesorSinDni(*tabla_);
  datos_.setTabla(nullptr);
  tabla_->close();
  tabla_.reset();
}

}  // namespace ui
