#pragma once
// The dialogs' layout as data: every control with its name, kind, pane, position,
// caption, font and colours, the panes with their gradients, and the tab order. Both
// front ends create their windows from these tables; neither holds a position or a
// caption of its own.

#include <cstdint>
#include <span>
#include <string_view>

namespace ui {

// A colour, or one of the system's colours (resolved by each front end).
struct Color {
  enum class Sistema : std::uint8_t { Ninguno, Escritorio, Resaltado, CaraBoton };
  std::uint8_t r = 0, g = 0, b = 0;
  Sistema sistema = Sistema::Ninguno;

  static constexpr Color rgb(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v), Sistema::Ninguno};
  }
  static constexpr Color de(Sistema s) { return {0, 0, 0, s}; }
  bool operator==(const Color&) const = default;
};

struct Fuente {
  std::string_view cara;
  int pixeles = 11;
  bool negrita = false;
  bool subrayada = false;
};

// Left, top, width and height in pixels inside the parent (a pane, or the dialog's
// client area for the panes). A label whose width is 0 takes the size of its text.
struct Caja {
  int x = 0, y = 0, ancho = 0, alto = 0;
  bool operator==(const Caja&) const = default;
};

enum class Clase : std::uint8_t {
  Etiqueta,          // label, transparent over its pane unless it has a background
  Edicion,           // one-line edit
  ListaCarpetas,     // folder list
  CajaUnidades,      // drive box
  Desplegable,       // drop-down list, not editable
  DesplegableTexto,  // editable drop-down
  Boton,             // push button
  BotonAceptar,      // button with the OK glyph, a default button
  BotonCerrar,       // button with the close glyph
  Rejilla,           // data grid
  Navegador,         // record navigator
};

enum class Alineacion : std::uint8_t { Izquierda, Centro };

struct Control {
  std::string_view nombre;
  Clase clase;
  std::string_view panel;
  Caja caja;
  std::string_view texto;
  Fuente fuente;
  Color color;
  // Labels only: drawn over this colour instead of the pane.
  bool conFondo = false;
  Color fondo = {};
  bool ajusteLinea = false;
  Alineacion alineacion = Alineacion::Izquierda;
  // 0: the control takes no focus and asks no help context of its own.
  int contextoAyuda = 0;
  // Drop-downs: the entries it offers.
  std::span<const std::string_view> elementos = {};
};

// A gradient pane: three colours from top to bottom, start, middle and end.
struct Panel {
  std::string_view nombre;
  Caja caja;
  Color inicio, medio, fin;
  int contextoAyuda = 0;
};

// A column of a data grid: the field, its width in characters, its title, and whether
// the user may change it.
struct Columna {
  std::string_view campo;
  int caracteres;
  std::string_view titulo;
  bool editable;
};

struct Dialogo {
  std::string_view nombre;
  std::string_view titulo;
  int ancho, alto;  // client area
  Fuente fuente;
  Color fondo;
  int contextoAyuda;
  // Top-left corner on the screen; negative: placed by the system.
  int x, y;
  std::span<const Panel> paneles;
  std::span<const Control> controles;
  std::span<const std::string_view> ordenTabulacion;
  std::span<const Columna> columnas;  // of its grid, when it has one

  // The entry of that name; throws std::out_of_range when there is none.
  const Control& control(std::string_view nombre) const;
  const Panel& panel(std::string_view nombre) const;
};

// TExportarDatos, the main dialog.
const Dialogo& dialogoPrincipal();
// TControlProfesores, the teacher ID check, and TControlPlantilla, the class-period
// template.
const Dialogo& dialogoControlProfesores();
const Dialogo& dialogoControlPlantilla();

// Where the main dialog's panes lie: the folder pane along the bottom; above it the
// export pane on the left and the import pane on the right, or the one shown across the
// whole width when host mode hides the other.
Caja cajaPanelPrincipal(std::string_view panel, bool exportarVisible, bool importarVisible);

}  // namespace ui
