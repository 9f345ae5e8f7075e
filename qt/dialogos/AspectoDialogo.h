#pragma once
// What the two check dialogs of the import share: their window, the gradient that
// fills them, and the controls they are made of, each built from its entry in the
// dialog's layout table.

#include <QColor>
#include <QList>

#include "qt/rejilla/FuenteDatos.h"
#include "ui/Disposicion.h"

class QDialog;
class QLabel;
class QWidget;

namespace qt {
class BotonGlifo;
class EtiquetaFondo;
class NavegadorDatos;
class PanelDegradado;
class RejillaDatos;
}  // namespace qt

namespace qt::aspecto {

// The system's desktop colour, and its colour of hot-tracked items.
QColor colorEscritorio();
QColor colorResaltado();

// The dialog window: caption, a fixed frame around its client area, its place on the
// screen, the dialog font, the desktop colour and its help context.
void prepararVentana(QDialog* dialogo, const ui::Dialogo& disposicion);

// The gradient panel Draw3D1 over the whole client area.
PanelDegradado* fondo(QDialog* dialogo, const ui::Dialogo& disposicion);

// The grid's columns as the data source takes them.
QList<ColumnaRejilla> columnas(const ui::Dialogo& disposicion);

// Label1, the dialog's heading; Label2, the explanation: transparent and wrapped.
QLabel* etiqueta(QWidget* panel, const ui::Control& control);
// Label3: centred on its own background.
EtiquetaFondo* cabecera(QWidget* panel, const ui::Control& control);
// The navigator and the grid on a data source, and "Salir" with its glyph.
NavegadorDatos* navegador(QWidget* panel, FuenteDatos* fuente, const ui::Control& control);
RejillaDatos* rejilla(QWidget* panel, FuenteDatos* fuente, const ui::Control& control);
BotonGlifo* salir(QWidget* panel, const ui::Control& control);

}  // namespace qt::aspecto
