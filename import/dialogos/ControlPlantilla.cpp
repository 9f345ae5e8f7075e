#include "ControlPlantilla.h"

#include <QKeyEvent>
#include <QLabel>

#include "AspectoDialogo.h"
#include "AvisoError.h"
#include "BotonGlifo.h"
#include "ComprobarPlantilla.h"
#include "EtiquetaFondo.h"
#include "FuenteDatos.h"
#include "NavegadorDatos.h"
#include "PanelDegradado.h"
#include "RejillaDatos.h"

using namespace tzv::aspecto;

TControlPlantilla::TControlPlantilla(QWidget* owner) : QDialog(owner) {
  const ui::Dialogo& d = ui::DialogoControlPlantilla();
  PrepararVentana(this, d);

  wwTablePlantilla = std::make_unique<dbf::Table>("wwTablePlantilla");
  wwTablePlantilla->setDatabaseName(tzv::kCarpetaPlantilla);
  wwTablePlantilla->setTableName("plantilla");
  wwTablePlantilla->setExclusive(false);
  wwTablePlantilla->open();

  wwDataSource1 = new FuenteDatos(this);
  wwDataSource1->setObjectName(QStringLiteral("wwDataSource1"));
  wwDataSource1->setColumnas(Columnas(d));
  wwDataSource1->setTabla(wwTablePlantilla.get());

  Draw3D1 = Fondo(this, d);
  Label1 = Etiqueta(Draw3D1, d.control("Label1"));
  Label3 = Cabecera(Draw3D1, d.control("Label3"));
  Label2 = Etiqueta(Draw3D1, d.control("Label2"));
  wwDBNavigator1 = Navegador(Draw3D1, wwDataSource1, d.control("wwDBNavigator1"));
  PlantiHorDBGrid = Rejilla(Draw3D1, wwDataSource1, d.control("PlantiHorDBGrid"));
  BitBtn1 = Salir(Draw3D1, d.control("BitBtn1"));

  connect(PlantiHorDBGrid, &RejillaDatos::entrada, this,
          [this] { rejilla::Protegido(this, [this] { PlantiHorDBGridEnter(); }); });
  connect(PlantiHorDBGrid, &RejillaDatos::salida, this,
          [this] { rejilla::Protegido(this, [this] { PlantiHorDBGridExit(); }); });
  connect(BitBtn1, &QPushButton::clicked, this,
          [this] { rejilla::Protegido(this, [this] { BitBtn1Click(); }); });

  setTabOrder(PlantiHorDBGrid, BitBtn1);
  // The grid is the first control to take the focus: the dialog opens editing.
  PlantiHorDBGrid->setFocus();
}

TControlPlantilla::~TControlPlantilla() {
  // The widgets let go of the handle before it goes.
  if (wwDataSource1 != nullptr) wwDataSource1->setTabla(nullptr);
}

void TControlPlantilla::PlantiHorDBGridEnter() {
  const dbf::TableState s = wwTablePlantilla->state();
  // Through the data source, so that grid and navigator see the record in editing.
  if (s != dbf::TableState::Edit && s != dbf::TableState::Insert) wwDataSource1->editar();
}

void TControlPlantilla::PlantiHorDBGridExit() {
  const dbf::TableState s = wwTablePlantilla->state();
  if (s == dbf::TableState::Edit || s == dbf::TableState::Insert) wwDataSource1->grabar();
}

void TControlPlantilla::BitBtn1Click() {
  wwDataSource1->setTabla(nullptr);
  wwTablePlantilla->close();
  wwTablePlantilla.reset();
  close();
}

void TControlPlantilla::keyPressEvent(QKeyEvent* event) {
  // The dialog has no cancel: Escape does not close it.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
