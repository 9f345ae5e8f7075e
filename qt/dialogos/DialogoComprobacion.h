#pragma once
// What the import's two check dialogs are on Qt: the window of a
// ui::PresentadorComprobacion, built from its layout table: the gradient panel, the
// three labels, the navigator and the grid on the presenter's dataset, and "Salir".
// Escape does not close it; the presenter holds every rule.

#include <QDialog>
#include <memory>

#include "ui/PresentadorComprobacion.h"

class QLabel;

namespace qt {

class BotonGlifo;
class EtiquetaFondo;
class FuenteDatos;
class NavegadorDatos;
class PanelDegradado;
class RejillaDatos;

class DialogoComprobacion : public QDialog {
  Q_OBJECT

 public:
  // Opens the check's table; a table that cannot be opened throws the engine's error.
  DialogoComprobacion(ui::Comprobacion cual, QWidget* owner);
  ~DialogoComprobacion() override;

  PanelDegradado* Draw3D1 = nullptr;
  QLabel* Label1 = nullptr;
  EtiquetaFondo* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  NavegadorDatos* wwDBNavigator1 = nullptr;
  BotonGlifo* BitBtn1 = nullptr;
  FuenteDatos* wwDataSource1 = nullptr;

 public slots:
  // The grid's handlers (ProftDBGridEnter, PlantiHorDBGridExit...) and "Salir".
  void rejillaEntrada();
  void rejillaSalida();
  virtual void BitBtn1Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

  ui::PresentadorComprobacion presentador_;
  RejillaDatos* rejilla_ = nullptr;
};

}  // namespace qt
