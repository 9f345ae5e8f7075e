#include "ControlProfes.h"

#include <QKeyEvent>
#include <QLabel>

#include "AspectoDialogo.h"
#include "AvisoError.h"
#include "BotonGlifo.h"
#include "ComprobarDNI.h"
#include "EtiquetaFondo.h"
#include "FuenteDatos.h"
#include "NavegadorDatos.h"
#include "PanelDegradado.h"
#include "RejillaDatos.h"
#include "Staging.h"

using namespace tzv::aspecto;

TControlProfesores::TControlProfesores(QWidget* owner) : QDialog(owner) {
  const ui::Dialogo& d = ui::DialogoControlProfesores();
  PrepararVentana(this, d);

  wwTableProft = std::make_unique<dbf::Table>("wwTableProft");
  wwTableProft->setDatabaseName(gc::kCarpetaTrabajo);
  wwTableProft->setTableName("proft.dbf");
  wwTableProft->setExclusive(false);
  wwTableProft->open();

  wwDataSource1 = new FuenteDatos(this);
  wwDataSource1->setObjectName(QStringLiteral("wwDataSource1"));
  wwDataSource1->setColumnas(Columnas(d));
  wwDataSource1->setTabla(wwTableProft.get());

  Draw3D1 = Fondo(this, d);
  Label1 = Etiqueta(Draw3D1, d.control("Label1"));
  Label3 = Cabecera(Draw3D1, d.control("Label3"));
  Label2 = Etiqueta(Draw3D1, d.control("Label2"));
  wwDBNavigator1 = Navegador(Draw3D1, wwDataSource1, d.control("wwDBNavigator1"));
  ProftDBGrid = Rejilla(Draw3D1, wwDataSource1, d.control("ProftDBGrid"));
  BitBtn1 = Salir(Draw3D1, d.control("BitBtn1"));

  connect(ProftDBGrid, &RejillaDatos::entrada, this,
          [this] { rejilla::Protegido(this, [this] { ProftDBGridEnter(); }); });
  connect(ProftDBGrid, &RejillaDatos::salida, this,
          [this] { rejilla::Protegido(this, [this] { ProftDBGridExit(); }); });
  connect(BitBtn1, &QPushButton::clicked, this,
          [this] { rejilla::Protegido(this, [this] { BitBtn1Click(); }); });

  setTabOrder(ProftDBGrid, BitBtn1);
  // The grid is the first control to take the focus: the dialog opens editing.
  ProftDBGrid->setFocus();
}

TControlProfesores::~TControlProfesores() {
  // The widgets let go of the handle before it goes.
  if (wwDataSource1 != nullptr) wwDataSource1->setTabla(nullptr);
}

void TControlProfesores::ProftDBGridEnter() {
  const dbf::TableState s = wwTableProft->state();
  // Through the data source, so that grid and navigator see the record in editing.
  if (s != dbf::TableState::Edit && s != dbf::TableState::Insert) wwDataSource1->editar();
}

void TControlProfesores::ProftDBGridExit() {
  const dbf::TableState s = wwTableProft->state();
  if (s == dbf::TableState::Edit || s == dbf::TableState::Insert) wwDataSource1->grabar();
}

void TControlProfesores::BitBtn1Click() {
  DNICorrecto = !tzv::AlgunProfesorSinDni(*wwTableProft);
  wwDataSource1->setTabla(nullptr);
  wwTableProft->close();
  wwTableProft.reset();
  close();
}

void TControlProfesores::keyPressEvent(QKeyEvent* event) {
  // The dialog has no cancel: Escape does not close it.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
