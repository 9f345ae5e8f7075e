#include "qt/Mensajes.h"

#include <QMessageBox>
#include <QWindow>
#include <memory>

#include "procesos/TextoAviso.h"
#include "qt/Programa.h"
#include "qt/widgets/Anfitrion.h"
#include "ui/ImportacionInterrumpida.h"

namespace qt {
using procesos::ConPuntoFinal;
using procesos::ConSaltosDeLinea;
using procesos::EstadoPrograma;
using ui::kTituloAplicacion;

namespace {

Contestador& contestador() {
  static Contestador c;
  return c;
}

// A box owned by `dueno`, or by the host's window `anfitrion` while there is one.
void mostrar(QWidget* dueno, QWindow* anfitrion, TipoAviso tipo, const QString& textoPrograma) {
  const QString texto = QString::fromStdString(ConSaltosDeLinea(textoPrograma.toStdString()));
  if (contestador()) {
    contestador()(tipo, texto);
    return;
  }
  QMessageBox caja(tipo == TipoAviso::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                   QString::fromUtf8(kTituloAplicacion), texto, QMessageBox::Ok, dueno);
  caja.setTextFormat(Qt::PlainText);
  DarAlAnfitrion(&caja, anfitrion);
  caja.exec();
}

void mostrar(QWidget* padre, TipoAviso tipo, const QString& texto) {
  QWindow* anfitrion = VentanaAnfitrion(padre);
  QWidget* dueno = padre != nullptr && anfitrion == nullptr ? padre->window() : nullptr;
  mostrar(dueno, anfitrion, tipo, texto);
}

}  // namespace

void MostrarMensaje(QWidget* padre, const QString& texto) {
  mostrar(padre, TipoAviso::Mensaje, texto);
}

void MostrarError(QWidget* padre, const QString& texto) {
  mostrar(padre, TipoAviso::Error, QString::fromStdString(ConPuntoFinal(texto.toStdString())));
}

void TerminarImportacionInterrumpida() {
  ui::TerminarImportacionInterrumpida(MostrarAvisoArranque);
}

void MostrarAvisoArranque(const std::string& texto, bool error, const EstadoPrograma& estado) {
  std::unique_ptr<QWindow> anfitrion;
  if (estado.avisosDelAnfitrion())
    anfitrion.reset(QWindow::fromWinId(static_cast<WId>(estado.ventanaAnfitrion)));
  const QString t = QString::fromStdString(error ? ConPuntoFinal(texto) : texto);
  mostrar(nullptr, anfitrion.get(), error ? TipoAviso::Error : TipoAviso::Mensaje, t);
}

void FijarContestador(Contestador c) { contestador() = std::move(c); }

}  // namespace qt
