#pragma once
// TControlProfesores: the grid in which the user types the D.N.I. of the teachers that
// lack one, straight into PROFT.DBF of the work folder. Its result, DNICorrecto, is
// true only when no teacher's DNI was 0 as the dialog was left with "Salir".

#include "qt/dialogos/DialogoComprobacion.h"

namespace qt {

class TControlProfesores : public DialogoComprobacion {
  Q_OBJECT

 public:
  // Opens wwTableProft; a table that cannot be opened throws the engine's error.
  explicit TControlProfesores(QWidget* owner = nullptr);

  RejillaDatos*& ProftDBGrid = rejilla_;
  std::unique_ptr<dbf::Table>& wwTableProft = presentador_.tabla();
  bool DNICorrecto = false;

 public slots:
  void ProftDBGridEnter() { rejillaEntrada(); }
  void ProftDBGridExit() { rejillaSalida(); }
  void BitBtn1Click() override;
};

}  // namespace qt
