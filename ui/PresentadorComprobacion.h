#pragma once
// The import's two check dialogs without their windows: TControlProfesores, where the
// user types the D.N.I. of the teachers that lack one straight into PROFT.DBF, and
// TControlPlantilla, where the times of the class periods in PLANTILLA.DBF are
// confirmed. Each opens its table, shows it through a dataset with the columns of its
// layout, edits as the grid is entered and left, and lets go of the table on Salir.

#include <memory>

#include "dbf/Table.h"
#include "ui/ConjuntoDatos.h"
#include "ui/Disposicion.h"

namespace ui {

enum class Comprobacion { Profesores, Plantilla };

class PresentadorComprobacion {
 public:
  // Opens the table; one that cannot be opened throws the engine's error.
  explicit PresentadorComprobacion(Comprobacion cual);
  ~PresentadorComprobacion();
  PresentadorComprobacion(const PresentadorComprobacion&) = delete;
  PresentadorComprobacion& operator=(const PresentadorComprobacion&) = delete;

  const Dialogo& disposicion() const;
  ConjuntoDatos& datos() { return datos_; }
  // The table handle (wwTableProft, wwTablePlantilla); null once Salir let it go.
  std::unique_ptr<dbf::Table>& tabla() { return tabla_; }

  // The grid takes the focus: the current record goes into editing.
  void rejillaEntrada();
  // The grid loses the focus: a record being edited is stored.
  void rejillaSalida();
  // Salir: the teacher check first looks whether any teacher is still without DNI
  // (which stores a record being edited); then the table is let go. The view closes.
  void salir();
  // The teacher check's result, DNICorrecto: no teacher was without DNI on Salir.
  bool dniCorrecto() const { return dniCorrecto_; }

 private:
  Comprobacion cual_;
  std::unique_ptr<dbf::Table> tabla_;
  ConjuntoDatos datos_;
  bool dniCorrecto_ = false;
};

}  // namespace ui
