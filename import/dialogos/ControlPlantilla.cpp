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
  setObjectName(QStringLiteral("ControlPlantilla"));
  PrepararVentana(this, QStringLiteral("Control de Plantilla Horaria"), 726, 463);

  wwTablePlantilla = std::make_unique<dbf::Table>("wwTablePlantilla");
  wwTablePlantilla->setDatabaseName(tzv::kCarpetaPlantilla);
  wwTablePlantilla->setTableName("plantilla");
  wwTablePlantilla->setExclusive(false);
  wwTablePlantilla->open();

  wwDataSource1 = new FuenteDatos(this);
  wwDataSource1->setObjectName(QStringLiteral("wwDataSource1"));
  wwDataSource1->setColumnas({
      {QStringLiteral("HORA"), 7, QStringLiteral("HORA"), false},
      {QStringLiteral("HORAINI"), 20, QStringLiteral("HORA INICIO CLASE"), true},
      {QStringLiteral("HORAFIN"), 19, QStringLiteral("HORA FINAL CLASE"), true},
  });
  wwDataSource1->setTabla(wwTablePlantilla.get());

  Draw3D1 = Fondo(this);
  Label1 = Titulo(Draw3D1, QStringLiteral("COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"),
                  QRect(9, 12, 151, 64));
  Label3 =
      Cabecera(Draw3D1, QStringLiteral("PLANTILLA HORARIA DEL CENTRO"), QRect(505, 57, 210, 13));
  Label2 = Explicacion(
      Draw3D1,
      QStringLiteral("Se ha recogido la siguiente Plantilla Horaria desde GESCEN. Compruébela y "
                     "modifique, en caso necesario, las Horas de Inicio y Final de Clase, en la "
                     "presente rejilla. Deben ser iguales que la Plantilla Horaria que estén "
                     "utilizando en GESCEN. Una vez adaptada la Rejilla Horaria, Pulse sobre el "
                     "Botón Salir."),
      QRect(504, 91, 209, 130));
  wwDBNavigator1 = Navegador(Draw3D1, wwDataSource1, QRect(180, 29, 275, 24));
  PlantiHorDBGrid = Rejilla(Draw3D1, "PlantiHorDBGrid", wwDataSource1, QRect(156, 56, 330, 385));
  BitBtn1 = Salir(Draw3D1, QRect(576, 312, 75, 25));

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
