#include "Mensajes.h"

#include <QMessageBox>
#include <QWindow>

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
  // A window drawn inside another program's window cannot own a box: the box then
  // belongs to that program's top-level window.
  QWidget* dueno = padre != nullptr ? padre->window() : nullptr;
  QWindow* anfitrion = nullptr;
  if (dueno != nullptr && dueno->windowHandle() != nullptr &&
      dueno->windowHandle()->parent() != nullptr) {
    anfitrion = dueno->windowHandle();
    while (anfitrion->parent() != nullptr) anfitrion = anfitrion->parent();
    dueno = nullptr;
  }
  QMessageBox caja(tipo == TipoAviso::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                   QString::fromUtf8(kTituloAplicacion), texto, QMessageBox::Ok, dueno);
  caja.setTextFormat(Qt::PlainText);
  if (anfitrion != nullptr) {
    caja.winId();
    caja.windowHandle()->setTransientParent(anfitrion);
  }
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
