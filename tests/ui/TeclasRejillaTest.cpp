// The grid's keys (ui/TeclasRejilla) on a grid of 3 rows by 4 columns, and on grids
// with nothing or one column to move through.

#include <gtest/gtest.h>

#include <ostream>

#include "ui/TeclasRejilla.h"

namespace {

using ui::AccionRejilla;
using ui::TeclaRejilla;

constexpr bool kShift = true, kSinShift = false;
constexpr bool kCtrl = true, kSinCtrl = false;
constexpr bool kEditor = true, kSinEditor = false;
constexpr bool kEditando = true, kSinEditar = false;

struct Caso {
  const char* nombre;
  TeclaRejilla tecla;
  bool mayusculas, control, editorAbierto, editando;
  int fila, columna, filas, columnas;
  AccionRejilla accion;
  int filaFinal = 0, columnaFinal = 0;  // the cell of IrACelda
};

std::ostream& operator<<(std::ostream& o, const Caso& c) { return o << c.nombre; }

class TeclasRejillaTest : public testing::TestWithParam<Caso> {};

TEST_P(TeclasRejillaTest, Accion) {
  const Caso& c = GetParam();
  const ui::RespuestaTecla r =
      ui::TeclaEnRejilla({c.tecla, c.mayusculas, c.control, c.editorAbierto, c.editando, c.fila,
                          c.columna, c.filas, c.columnas});
  EXPECT_EQ(r.accion, c.accion);
  if (c.accion == AccionRejilla::IrACelda) {
    EXPECT_EQ(r.fila, c.filaFinal);
    EXPECT_EQ(r.columna, c.columnaFinal);
  }
}

constexpr auto Enter = TeclaRejilla::Enter;
constexpr auto Tab = TeclaRejilla::Tab;
constexpr auto Escape = TeclaRejilla::Escape;
constexpr auto IrA = AccionRejilla::IrACelda;

INSTANTIATE_TEST_SUITE_P(
    Movimientos, TeclasRejillaTest,
    testing::Values(Caso{"EnterALaDerecha", Enter, kSinShift, kSinCtrl, kSinEditor, kEditando, 1, 1,
                         3, 4, IrA, 1, 2},
                    Caso{"EnterConEditorEntregaYAvanza", Enter, kSinShift, kSinCtrl, kEditor,
                         kEditando, 1, 1, 3, 4, IrA, 1, 2},
                    Caso{"EnterDeLaUltimaColumnaALaFilaSiguiente", Enter, kSinShift, kSinCtrl,
                         kSinEditor, kSinEditar, 0, 3, 3, 4, IrA, 1, 0},
                    Caso{"EnterEnLaUltimaCeldaSeQueda", Enter, kSinShift, kSinCtrl, kEditor,
                         kEditando, 2, 3, 3, 4, IrA, 2, 3},
                    Caso{"EnterConCtrlComoEnter", Enter, kSinShift, kCtrl, kSinEditor, kEditando, 1,
                         1, 3, 4, IrA, 1, 2},
                    Caso{"ShiftEnterALaIzquierda", Enter, kShift, kSinCtrl, kSinEditor, kEditando,
                         1, 2, 3, 4, IrA, 1, 1},
                    Caso{"ShiftEnterDeLaPrimeraColumnaALaFilaAnterior", Enter, kShift, kSinCtrl,
                         kEditor, kEditando, 2, 0, 3, 4, IrA, 1, 3},
                    Caso{"ShiftEnterEnLaPrimeraCeldaSeQueda", Enter, kShift, kSinCtrl, kSinEditor,
                         kEditando, 0, 0, 3, 4, IrA, 0, 0},
                    Caso{"EnterUnaColumnaPasaDeFila", Enter, kSinShift, kSinCtrl, kSinEditor,
                         kEditando, 0, 0, 3, 1, IrA, 1, 0},
                    Caso{"EnterSinFilas", Enter, kSinShift, kSinCtrl, kSinEditor, kSinEditar, 0, 0,
                         0, 4, AccionRejilla::Ninguna},
                    Caso{"TabALaDerecha", Tab, kSinShift, kSinCtrl, kEditor, kEditando, 0, 1, 3, 4,
                         IrA, 0, 2},
                    Caso{"TabDeLaUltimaColumnaALaFilaSiguiente", Tab, kSinShift, kSinCtrl,
                         kSinEditor, kEditando, 1, 3, 3, 4, IrA, 2, 0},
                    Caso{"TabEnLaUltimaCeldaSaleDeLaRejilla", Tab, kSinShift, kSinCtrl, kEditor,
                         kEditando, 2, 3, 3, 4, AccionRejilla::ControlSiguiente},
                    Caso{"ShiftTabDeLaPrimeraColumnaALaFilaAnterior", Tab, kShift, kSinCtrl,
                         kSinEditor, kEditando, 1, 0, 3, 4, IrA, 0, 3},
                    Caso{"ShiftTabEnLaPrimeraCeldaSaleHaciaAtras", Tab, kShift, kSinCtrl,
                         kSinEditor, kEditando, 0, 0, 3, 4, AccionRejilla::ControlAnterior},
                    Caso{"CtrlTabSaleDesdeCualquierCelda", Tab, kSinShift, kCtrl, kEditor,
                         kEditando, 1, 1, 3, 4, AccionRejilla::ControlSiguiente},
                    Caso{"CtrlShiftTabSaleHaciaAtras", Tab, kShift, kCtrl, kSinEditor, kEditando, 1,
                         1, 3, 4, AccionRejilla::ControlAnterior},
                    Caso{"TabSinFilasSaleDeLaRejilla", Tab, kSinShift, kSinCtrl, kSinEditor,
                         kSinEditar, 0, 0, 0, 4, AccionRejilla::ControlSiguiente}),
    [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

INSTANTIATE_TEST_SUITE_P(
    Escape, TeclasRejillaTest,
    testing::Values(
        // Once: the editor goes and the record keeps its other changes.
        Caso{"ConEditorCierraElEditor", Escape, kSinShift, kSinCtrl, kEditor, kEditando, 1, 2, 3, 4,
             AccionRejilla::CerrarEditor},
        // Again: the record's changes go.
        Caso{"SinEditorCancelaElRegistro", Escape, kSinShift, kSinCtrl, kSinEditor, kEditando, 1, 2,
             3, 4, AccionRejilla::CancelarRegistro},
        Caso{"SinNadaQueCancelarNoHaceNada", Escape, kSinShift, kSinCtrl, kSinEditor, kSinEditar, 1,
             2, 3, 4, AccionRejilla::Ninguna},
        Caso{"ConShiftIgual", Escape, kShift, kSinCtrl, kSinEditor, kEditando, 1, 2, 3, 4,
             AccionRejilla::CancelarRegistro}),
    [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

TEST(TeclasRejilla, OtrasTeclasSonDeLaVista) {
  for (bool editor : {false, true})
    EXPECT_EQ(
        ui::TeclaEnRejilla({TeclaRejilla::Otra, false, false, editor, true, 1, 1, 3, 4}).accion,
        AccionRejilla::NoEsDeLaRejilla);
}

}  // namespace
