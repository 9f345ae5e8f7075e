#include "AspectoDialogo.h"

#include <QDialog>
#include <QLabel>
#include <QStyle>

#include "BotonGlifo.h"
#include "EtiquetaFondo.h"
#include "FuenteDatos.h"
#include "NavegadorDatos.h"
#include "NegritaSimulada.h"
#include "PanelDegradado.h"
#include "RejillaDatos.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tzv::aspecto {
namespace {

constexpr int kContextoAyuda = 1;

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

QLabel* etiquetaTransparente(QWidget* panel, const char* nombre, const QString& texto,
                             const QFont& f, const QColor& color, const QRect& caja) {
  auto* l = new QLabel(panel);
  l->setObjectName(QString::fromLatin1(nombre));
  l->setTextFormat(Qt::PlainText);
  l->setText(texto);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setAutoFillBackground(false);
  AplicarFuente(l, f);
  colorTexto(l, color);
  l->setGeometry(caja);
  return l;
}

}  // namespace

QColor ColorEscritorio() {
#ifdef _WIN32
  const DWORD c = GetSysColor(COLOR_BACKGROUND);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
#else
  return QColor(0x3A, 0x6E, 0xA5);
#endif
}

QColor ColorResaltado() {
#ifdef _WIN32
  const DWORD c = GetSysColor(COLOR_HOTLIGHT);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
#else
  return QColor(0x00, 0x66, 0xCC);
#endif
}

QFont Fuente(int pixeles, bool negrita, bool subrayada) {
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(pixeles);
  f.setBold(negrita);
  f.setUnderline(subrayada);
  return f;
}

void PrepararVentana(QDialog* dialogo, const QString& titulo, int ancho, int alto) {
  dialogo->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
  dialogo->setWindowTitle(titulo);
  dialogo->setFont(Fuente(11));
  dialogo->setFixedSize(ancho, alto);
  dialogo->setSizeGripEnabled(false);
  dialogo->move(24, 25);
  QPalette p = dialogo->palette();
  p.setColor(QPalette::Window, ColorEscritorio());
  dialogo->setPalette(p);
  // Read by the program's help: F1 asks for the context of the focused control's window.
  dialogo->setProperty("contextoAyuda", kContextoAyuda);
}

PanelDegradado* Fondo(QDialog* dialogo) {
  auto* panel = new PanelDegradado(dialogo);
  panel->setObjectName(QStringLiteral("Draw3D1"));
  panel->setColores(ColorEscritorio(), kCrema, kAgua);
  panel->setGeometry(0, 0, dialogo->width(), dialogo->height());
  // Its own palette: text on it is black unless a label says otherwise.
  QPalette p = panel->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  panel->setPalette(p);
  return panel;
}

QLabel* Titulo(QWidget* panel, const QString& texto, const QRect& caja) {
  return etiquetaTransparente(panel, "Label1", texto, Fuente(13, true), ColorResaltado(), caja);
}

EtiquetaFondo* Cabecera(QWidget* panel, const QString& texto, const QRect& caja) {
  auto* l = new EtiquetaFondo(texto, kFondoCabecera, panel);
  l->setObjectName(QStringLiteral("Label3"));
  l->setFont(ancha(Fuente(11, true, true)));
  l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  colorTexto(l, kRojo);
  l->setGeometry(caja);
  return l;
}

QLabel* Explicacion(QWidget* panel, const QString& texto, const QRect& caja) {
  return etiquetaTransparente(panel, "Label2", texto, Fuente(11, true), kMarino, caja);
}

NavegadorDatos* Navegador(QWidget* panel, FuenteDatos* fuente, const QRect& caja) {
  auto* n = new NavegadorDatos(panel);
  n->setObjectName(QStringLiteral("wwDBNavigator1"));
  n->setFuente(fuente);
  n->setGeometry(caja);
  return n;
}

RejillaDatos* Rejilla(QWidget* panel, const char* nombre, FuenteDatos* fuente, const QRect& caja) {
  auto* r = new RejillaDatos(panel);
  r->setObjectName(QString::fromLatin1(nombre));
  r->setColorTitulos(kTitulos);
  r->setColoresCeldas(kCrema, kAlterno);
  r->setLineasTitulo(2);
  r->setFuente(fuente);
  r->setGeometry(caja);
  return r;
}

BotonGlifo* Salir(QWidget* panel, const QRect& caja) {
  auto* b = new BotonGlifo(panel->style()->standardIcon(QStyle::SP_DialogCloseButton),
                           QStringLiteral("Salir"), panel);
  b->setObjectName(QStringLiteral("BitBtn1"));
  b->setFont(ancha(Fuente(11, true)));
  b->setGeometry(caja);
  return b;
}

}  // namespace tzv::aspecto
