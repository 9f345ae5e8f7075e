#include "Mensajes.h"

#include <QMessageBox>
#include <QWindow>

#include "Anfitrion.h"
#include "CopiaSegura.h"
#include "Programa.h"
#include "TextoAviso.h"

namespace tzv {
namespace {

Contestador& contestador() {
  static Contestador c;
  return c;
}

void mostrar(QWidget* padre, TipoAviso tipo, const QString& textoPrograma) {
  const QString texto = QString::fromStdString(ConSaltosDeLinea(textoPrograma.toStdString()));
  if (contestador()) {
    contestador()(tipo, texto);
    return;
  }
  QWindow* anfitrion = VentanaAnfitrion(padre);
  QWidget* dueno = padre != nullptr && anfitrion == nullptr ? padre->window() : nullptr;
  QMessageBox caja(tipo == TipoAviso::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                   QString::fromUtf8(kTituloAplicacion), texto, QMessageBox::Ok, dueno);
  caja.setTextFormat(Qt::PlainText);
  DarAlAnfitrion(&caja, anfitrion);
  caja.exec();
}

}  // namespace

void MostrarMensaje(QWidget* padre, const QString& texto) {
  mostrar(padre, TipoAviso::Mensaje, texto);
}

void MostrarError(QWidget* padre, const QString& texto) {
  mostrar(padre, TipoAviso::Error, QString::fromStdString(ConPuntoFinal(texto.toStdString())));
}

void TerminarImportacionInterrumpida() {
  const std::string dicho = RecuperarDevolucion();
  if (!dicho.empty()) MostrarMensaje(nullptr, QString::fromStdString(dicho));
}

void FijarContestador(Contestador c) { contestador() = std::move(c); }

}  // namespace tzv
