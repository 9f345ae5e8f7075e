#pragma once
// TControlProfesores: the grid in which the user types the D.N.I. of the teachers that
// lack one, straight into PROFT.DBF of the work folder. Its result, DNICorrecto, is
// true only when no teacher's DNI was 0 as the dialog was left with "Salir".

#include <QDialog>
#include <memory>

#include "Table.h"

class BotonGlifo;
class EtiquetaFondo;
class FuenteDatos;
class NavegadorDatos;
class PanelDegradado;
class QLabel;
class RejillaDatos;

class TControlProfesores : public QDialog {
  Q_OBJECT

 public:
  // Opens wwTableProft; a table that cannot be opened throws the engine's error.
  explicit TControlProfesores(QWidget* owner = nullptr);
  ~TControlProfesores() override;

  PanelDegradado* Draw3D1 = nullptr;
  QLabel* Label1 = nullptr;
  EtiquetaFondo* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  NavegadorDatos* wwDBNavigator1 = nullptr;
  RejillaDatos* ProftDBGrid = nullptr;
  BotonGlifo* BitBtn1 = nullptr;

  std::unique_ptr<dbf::Table> wwTableProft;
  FuenteDatos* wwDataSource1 = nullptr;
  bool DNICorrecto = false;

 public slots:
  void ProftDBGridEnter();
  void ProftDBGridExit();
  void BitBtn1Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
