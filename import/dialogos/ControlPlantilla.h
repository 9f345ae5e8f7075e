#pragma once
// TControlPlantilla: the grid in which the user checks and corrects the start and end
// times of class periods 1 to 20 in PLANTILLA.DBF of the staging folder. Whatever was
// stored in the grid is kept, however the dialog is closed.

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

class TControlPlantilla : public QDialog {
  Q_OBJECT

 public:
  // Opens wwTablePlantilla; a table that cannot be opened throws the engine's error.
  explicit TControlPlantilla(QWidget* owner = nullptr);
  ~TControlPlantilla() override;

  PanelDegradado* Draw3D1 = nullptr;
  QLabel* Label1 = nullptr;
  EtiquetaFondo* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  NavegadorDatos* wwDBNavigator1 = nullptr;
  RejillaDatos* PlantiHorDBGrid = nullptr;
  BotonGlifo* BitBtn1 = nullptr;

  std::unique_ptr<dbf::Table> wwTablePlantilla;
  FuenteDatos* wwDataSource1 = nullptr;

 public slots:
  void PlantiHorDBGridEnter();
  void PlantiHorDBGridExit();
  void BitBtn1Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
