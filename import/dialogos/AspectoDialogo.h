#pragma once
// What the two check dialogs of the import share: their window, fonts and colours,
// the gradient that fills them, and the controls they are made of.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class BotonGlifo;
class EtiquetaFondo;
class FuenteDatos;
class NavegadorDatos;
class PanelDegradado;
class QDialog;
class QLabel;
class QWidget;
class RejillaDatos;

namespace tzv::aspecto {

// Cells, alternate rows, titles, and the background of the heading label.
inline const QColor kCrema(0xF0, 0xFB, 0xFF);
inline const QColor kAlterno(0xCF, 0xD9, 0xFE);
inline const QColor kTitulos(0xFE, 0xE4, 0xA9);
inline const QColor kFondoCabecera(0xF0, 0xCA, 0xA6);
inline const QColor kAgua(0x00, 0xFF, 0xFF);
inline const QColor kRojo(0xFF, 0x00, 0x00);
inline const QColor kMarino(0x00, 0x00, 0x80);

// The system's desktop colour, and its colour of hot-tracked items; on systems that
// have neither, the Windows defaults.
QColor ColorEscritorio();
QColor ColorResaltado();

// MS Sans Serif at a height in pixels (8 pt is 11 pixels, 10 pt is 13).
QFont Fuente(int pixeles, bool negrita = false, bool subrayada = false);

// The dialog window: caption, a fixed frame around a client area of that size, placed
// at 24, 25 on the screen, the dialog font, the desktop colour and help context 1.
void PrepararVentana(QDialog* dialogo, const QString& titulo, int ancho, int alto);

// The gradient panel Draw3D1 over the whole client area.
PanelDegradado* Fondo(QDialog* dialogo);

// Label1: the dialog's heading, bold 10 pt in the hot-track colour, wrapped.
QLabel* Titulo(QWidget* panel, const QString& texto, const QRect& caja);
// Label3: centred, red, bold and underlined, on its own background.
EtiquetaFondo* Cabecera(QWidget* panel, const QString& texto, const QRect& caja);
// Label2: the explanation, navy and bold, wrapped.
QLabel* Explicacion(QWidget* panel, const QString& texto, const QRect& caja);
// The navigator and the grid on a data source, and the bold "Salir" with its glyph.
NavegadorDatos* Navegador(QWidget* panel, FuenteDatos* fuente, const QRect& caja);
RejillaDatos* Rejilla(QWidget* panel, const char* nombre, FuenteDatos* fuente, const QRect& caja);
BotonGlifo* Salir(QWidget* panel, const QRect& caja);

}  // namespace tzv::aspecto
