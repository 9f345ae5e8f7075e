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
  if (necesitaNegritaSimulada(f)) f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  return f;
}

template <class W>
W* nombrado(W* w, const ui::Control& control) {
  w->setObjectName(textoQt(control.nombre));
  w->setGeometry(cajaQt(control.caja));
  return w;
}

}  // namespace

QColor colorEscritorio() { return colorQt(ui::Color::de(ui::Color::Sistema::Escritorio)); }
QColor colorResaltado() { return colorQt(ui::Color::de(ui::Color::Sistema::Resaltado)); }

void prepararVentana(QDialog* dialogo, const ui::Dialogo& d) {
  dialogo->setObjectName(textoQt(d.nombre));
  dialogo->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
  dialogo->setWindowTitle(textoQt(d.titulo));
  dialogo->setFont(fuenteQt(d.fuente));
  dialogo->setFixedSize(d.ancho, d.alto);
  dialogo->setSizeGripEnabled(false);
  dialogo->move(d.x, d.y);
  QPalette p = dialogo->palette();
  p.setColor(QPalette::Window, colorQt(d.fondo));
  dialogo->setPalette(p);
  // Read by the program's help: F1 asks for the context of the focused control's window.
  dialogo->setProperty("contextoAyuda", d.contextoAyuda);
}

PanelDegradado* fondo(QDialog* dialogo, const ui::Dialogo& d) {
  const ui::Panel& fondo = d.panel("Draw3D1");
  auto* panel = new PanelDegradado(dialogo);
  panel->setObjectName(textoQt(fondo.nombre));
  panel->setColores(colorQt(fondo.inicio), colorQt(fondo.medio), colorQt(fondo.fin));
  panel->setGeometry(cajaQt(fondo.caja));
  // Its own palette: text on it is black unless a label says otherwise.
  QPalette p = panel->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  panel->setPalette(p);
  return panel;
}

QList<ColumnaRejilla> columnas(const ui::Dialogo& d) {
  QList<ColumnaRejilla> columnas;
  for (const ui::Columna& c : d.columnas)
    columnas.append({textoQt(c.campo), c.caracteres, textoQt(c.titulo), c.editable});
  return columnas;
}

QLabel* etiqueta(QWidget* panel, const ui::Control& c) {
  auto* l = nombrado(new QLabel(panel), c);
  l->setTextFormat(Qt::PlainText);
  l->setText(textoQt(c.texto));
  l->setWordWrap(c.ajusteLinea);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setAutoFillBackground(false);
  aplicarFuente(l, fuenteQt(c.fuente));
  colorTexto(l, colorQt(c.color));
  return l;
}

EtiquetaFondo* cabecera(QWidget* panel, const ui::Control& c) {
  auto* l = nombrado(new EtiquetaFondo(textoQt(c.texto), colorQt(c.fondo), panel), c);
  l->setFont(ancha(fuenteQt(c.fuente)));
  l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  colorTexto(l, colorQt(c.color));
  return l;
}

NavegadorDatos* navegador(QWidget* panel, FuenteDatos* fuente, const ui::Control& c) {
  auto* n = nombrado(new NavegadorDatos(panel), c);
  n->setFuente(fuente);
  return n;
}

RejillaDatos* rejilla(QWidget* panel, FuenteDatos* fuente, const ui::Control& c) {
  auto* r = new RejillaDatos(panel);
  r->setColorTitulos(colorQt(ui::rejilla::kTitulos));
  r->setColoresCeldas(colorQt(ui::rejilla::kCeldas), colorQt(ui::rejilla::kAlternas));
  r->setLineasTitulo(2);
  r->setFuente(fuente);
  return nombrado(r, c);
}

BotonGlifo* salir(QWidget* panel, const ui::Control& c) {
  auto* b = new BotonGlifo(panel->style()->standardIcon(QStyle::SP_DialogCloseButton),
                           textoQt(c.texto), panel);
  b->setFont(ancha(fuenteQt(c.fuente)));
  return nombrado(b, c);
}

}  // namespace qt::aspecto
