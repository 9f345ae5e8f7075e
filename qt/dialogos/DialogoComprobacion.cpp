#include "qt/dialogos/DialogoComprobacion.h"

#include <QKeyEvent>
#include <QLabel>

#include "qt/dialogos/AspectoDialogo.h"
#include "qt/dialogos/BotonGlifo.h"
#include "qt/dialogos/EtiquetaFondo.h"
#include "qt/rejilla/AvisoError.h"
#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/NavegadorDatos.h"
#include "qt/rejilla/RejillaDatos.h"
#include "qt/widgets/PanelDegradado.h"

namespace qt {

using namespace qt::aspecto;

DialogoComprobacion::DialogoComprobacion(ui::Comprobacion cual, QWidget* owner)
    : QDialog(owner), presentador_(cual) {
  const ui::Dialogo& d = presentador_.disposicion();
  prepararVentana(this, d);

  wwDataSource1 = new FuenteDatos(this, &presentador_.datos());
  wwDataSource1->setObjectName(QStringLiteral("wwDataSource1"));

  Draw3D1 = fondo(this, d);
  Label1 = etiqueta(Draw3D1, d.control("Label1"));
  Label3 = cabecera(Draw3D1, d.control("Label3"));
  Label2 = etiqueta(Draw3D1, d.control("Label2"));
  wwDBNavigator1 = navegador(Draw3D1, wwDataSource1, d.control("wwDBNavigator1"));
  rejilla_ = rejilla(Draw3D1, wwDataSource1, d.control(d.ordenTabulacion.front()));
  BitBtn1 = salir(Draw3D1, d.control("BitBtn1"));

  connect(rejilla_, &RejillaDatos::entrada, this,
          [this] { qt::protegido(this, [this] { rejillaEntrada(); }); });
  connect(rejilla_, &RejillaDatos::salida, this,
          [this] { qt::protegido(this, [this] { rejillaSalida(); }); });
  connect(BitBtn1, &QPushButton::clicked, this,
          [this] { qt::protegido(this, [this] { BitBtn1Click(); }); });

  setTabOrder(rejilla_, BitBtn1);
  // The grid is the first control to take the focus: the dialog opens editing.
  rejilla_->setFocus();
}

DialogoComprobacion::~DialogoComprobacion() {
  // The data source goes before the presenter's dataset it shows.
  delete wwDataSource1;
}

void DialogoComprobacion::rejillaEntrada() { presentador_.rejillaEntrada(); }

void DialogoComprobacion::rejillaSalida() { presentador_.rejillaSalida(); }

void DialogoComprobacion::BitBtn1Click() {
  presentador_.salir();
  close();
}

void DialogoComprobacion::keyPressEvent(QKeyEvent* event) {
  // The dialog has no cancel: Escape does not close it.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace qt
