#include "qt/dialogos/AspectoDialogo.h"

#include <QDialog>
#include <QLabel>
#include <QStyle>

#include "qt/dialogos/BotonGlifo.h"
#include "qt/dialogos/EtiquetaFondo.h"
#include "qt/rejilla/NavegadorDatos.h"
#include "qt/rejilla/RejillaDatos.h"
#include "qt/widgets/DisposicionQt.h"
#include "qt/widgets/NegritaSimulada.h"
#include "qt/widgets/PanelDegradado.h"
#include "ui/AspectoRejilla.h"

namespace qt::aspecto {
namespace {

void colorTexto(QWidget* w, const QColor& color) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::ButtonText, color);
  w->setPalette(p);
}

// A bold face that is struck twice also advances one pixel more per character.
QFont ancha(QFont f) {
  if (NecesitaNegritaSimulada(f)) f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  return f;
}

template <class W>
W* nombrado(W* w, const ui::Control& control) {
  w->setObjectName(TextoQt(control.nombre));
  w->setGeometry(CajaQt(control.caja));
  return w;
}

}  // namespace

QColor ColorEscritorio() { return ColorQt(ui::Color::de(ui::Color::Sistema::Escritorio)); }
QColor ColorResaltado() { return ColorQt(ui::Color::de(ui::Color::Sistema::Resaltado)); }

void PrepararVentana(QDialog* dialogo, const ui::Dialogo& d) {
  dialogo->setObjectName(TextoQt(d.nombre));
  dialogo->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
  dialogo->setWindowTitle(TextoQt(d.titulo));
  dialogo->setFont(FuenteQt(d.fuente));
  dialogo->setFixedSize(d.ancho, d.alto);
  dialogo->setSizeGripEnabled(false);
  dialogo->move(d.x, d.y);
  QPalette p = dialogo->palette();
  p.setColor(QPalette::Window, ColorQt(d.fondo));
  dialogo->setPalette(p);
  // Read by the program's help: F1 asks for the context of the focused control's window.
  dialogo->setProperty("contextoAyuda", d.contextoAyuda);
}

PanelDegradado* Fondo(QDialog* dialogo, const ui::Dialogo& d) {
  const ui::Panel& fondo = d.panel("Draw3D1");
  auto* panel = new PanelDegradado(dialogo);
  panel->setObjectName(TextoQt(fondo.nombre));
  panel->setColores(ColorQt(fondo.inicio), ColorQt(fondo.medio), ColorQt(fondo.fin));
  panel->setGeometry(CajaQt(fondo.caja));
  // Its own palette: text on it is black unless a label says otherwise.
  QPalette p = panel->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  panel->setPalette(p);
  return panel;
}

QList<ColumnaRejilla> Columnas(const ui::Dialogo& d) {
  QList<ColumnaRejilla> columnas;
  for (const ui::Columna& c : d.columnas)
    columnas.append({TextoQt(c.campo), c.caracteres, TextoQt(c.titulo), c.editable});
  return columnas;
}

QLabel* Etiqueta(QWidget* panel, const ui::Control& c) {
  auto* l = nombrado(new QLabel(panel), c);
  l->setTextFormat(Qt::PlainText);
  l->setText(TextoQt(c.texto));
  l->setWordWrap(c.ajusteLinea);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setAutoFillBackground(false);
  AplicarFuente(l, FuenteQt(c.fuente));
  colorTexto(l, ColorQt(c.color));
  return l;
}

EtiquetaFondo* Cabecera(QWidget* panel, const ui::Control& c) {
  auto* l = nombrado(new EtiquetaFondo(TextoQt(c.texto), ColorQt(c.fondo), panel), c);
  l->setFont(ancha(FuenteQt(c.fuente)));
  l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  colorTexto(l, ColorQt(c.color));
  return l;
}

NavegadorDatos* Navegador(QWidget* panel, FuenteDatos* fuente, const ui::Control& c) {
  auto* n = nombrado(new NavegadorDatos(panel), c);
  n->setFuente(fuente);
  return n;
}

RejillaDatos* Rejilla(QWidget* panel, FuenteDatos* fuente, const ui::Control& c) {
  auto* r = new RejillaDatos(panel);
  r->setColorTitulos(ColorQt(ui::rejilla::kTitulos));
  r->setColoresCeldas(ColorQt(ui::rejilla::kCeldas), ColorQt(ui::rejilla::kAlternas));
  r->setLineasTitulo(2);
  r->setFuente(fuente);
  return nombrado(r, c);
}

BotonGlifo* Salir(QWidget* panel, const ui::Control& c) {
  auto* b = new BotonGlifo(panel->style()->standardIcon(QStyle::SP_DialogCloseButton),
                           TextoQt(c.texto), panel);
  b->setFont(ancha(FuenteQt(c.fuente)));
  return nombrado(b, c);
}

}  // namespace qt::aspecto
