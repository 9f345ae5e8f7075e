#pragma once
// TControlPlantilla: the grid in which the user checks and corrects the start and end
// times of class periods 1 to 20 in PLANTILLA.DBF of the staging folder. Whatever was
// stored in the grid is kept, however the dialog is closed.

#include "qt/dialogos/DialogoComprobacion.h"

namespace qt {

class TControlPlantilla : public DialogoComprobacion {
  Q_OBJECT

 public:
  // Opens wwTablePlantilla; a table that cannot be opened throws the engine's error.
  explicit TControlPlantilla(QWidget* owner = nullptr);

  RejillaDatos*& PlantiHorDBGrid = rejilla_;
  std::unique_ptr<dbf::Table>& wwTablePlantilla = presentador_.tabla();

 public slots:
  void PlantiHorDBGridEnter() { rejillaEntrada(); }
  void PlantiHorDBGridExit() { rejillaSalida(); }
};

}  // namespace qt
