#include "qt/Mensajes.h"

#include <QMessageBox>
#include <QPointer>
#include <QWindow>

#include "procesos/TextoAviso.h"
#include "qt/Programa.h"
#include "qt/widgets/Anfitrion.h"
#include "ui/ImportacionInterrumpida.h"

namespace qt {
using procesos::conPuntoFinal;
using procesos::conSaltosDeLinea;
using procesos::EstadoPrograma;
using ui::kTituloAplicacion;

namespace {

Contestador& contestador() {
  static Contestador c;
  return c;
}

struct DialogoPrincipal {
  QPointer<QWidget> dialogo;
  const EstadoPrograma* estado = nullptr;
};

DialogoPrincipal& principal() {
  static DialogoPrincipal p;
  return p;
}

// Where a box shown from `ventana` comes from: the main dialog, another window of the
// program's own, or none.
ui::OrigenAviso origenDe(const QWidget* ventana) {
  if (ventana == nullptr) return ui::OrigenAviso::SinVentana;
  return ventana == principal().dialogo ? ui::OrigenAviso::DialogoPrincipal
                                        : ui::OrigenAviso::VentanaPropia;
}

const EstadoPrograma& estadoPrograma() {
  static const EstadoPrograma kSinDialogo;
  const DialogoPrincipal& p = principal();
  return p.dialogo != nullptr && p.estado != nullptr ? *p.estado : kSinDialogo;
}

void mostrar(const DuenoDeCaja& dueno, TipoAviso tipo, const QString& textoPrograma) {
  const QString texto = QString::fromStdString(conSaltosDeLinea(textoPrograma.toStdString()));
  if (contestador()) {
    contestador()(tipo, texto);
    return;
  }
  QMessageBox caja(tipo == TipoAviso::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                   QString::fromUtf8(kTituloAplicacion), texto, QMessageBox::Ok, dueno.padre());
  caja.setTextFormat(Qt::PlainText);
  dueno.entregar(&caja);
  caja.exec();
}

}  // namespace

void fijarDialogoPrincipal(QWidget* dialogo, const EstadoPrograma* estado) {
  principal() = {dialogo, estado};
}

void olvidarDialogoPrincipal(const QWidget* dialogo) {
  if (principal().dialogo == dialogo) principal() = {};
}

DuenoDeCaja::DuenoDeCaja(const EstadoPrograma& estado, ui::OrigenAviso origen, QWidget* ventana) {
  switch (ui::duenoDeAvisos(estado, origen)) {
    case ui::DuenoAviso::VentanaAnfitrion:
      anfitrion_.reset(QWindow::fromWinId(static_cast<WId>(estado.ventanaAnfitrion)));
      // Without foreign windows (offscreen) the window it is shown from keeps it.
      if (anfitrion_ == nullptr) padre_ = ventana;
      break;
    case ui::DuenoAviso::VentanaOrigen:
      padre_ = ventana;
      break;
    case ui::DuenoAviso::Ninguno:
      break;
  }
}

DuenoDeCaja::DuenoDeCaja(QWidget* desde)
    : DuenoDeCaja(estadoPrograma(), origenDe(desde != nullptr ? desde->window() : nullptr),
                  desde != nullptr ? desde->window() : nullptr) {}

DuenoDeCaja::~DuenoDeCaja() = default;

void DuenoDeCaja::entregar(QWidget* caja) const { darAlAnfitrion(caja, anfitrion_.get()); }

void mostrarMensaje(QWidget* padre, const QString& texto) {
  mostrar(DuenoDeCaja(padre), TipoAviso::Mensaje, texto);
}

void mostrarError(QWidget* padre, const QString& texto) {
  mostrar(DuenoDeCaja(padre), TipoAviso::Error,
          QString::fromStdString(conPuntoFinal(texto.toStdString())));
}

void terminarImportacionInterrumpida() {
  ui::terminarImportacionInterrumpida(mostrarAvisoArranque);
}

void mostrarAvisoArranque(const std::string& texto, bool error, const EstadoPrograma& estado) {
  const QString t = QString::fromStdString(error ? conPuntoFinal(texto) : texto);
  mostrar(DuenoDeCaja(estado, ui::OrigenAviso::SinVentana, nullptr),
          error ? TipoAviso::Error : TipoAviso::Mensaje, t);
}

void fijarContestador(Contestador c) { contestador() = std::move(c); }

}  // namespace qt
