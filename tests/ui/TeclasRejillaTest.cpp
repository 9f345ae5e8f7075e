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
      ui::teclaEnRejilla({c.tecla, c.mayusculas, c.control, c.editorAbierto, c.editando, c.fila,
                          c.columna, c.filas, c.columnas});
  EXPECT_EQ(r.accion, c.accion);
  if (c.accion == AccionRejilla::IrACelda) {
    EXPECT_EQ(r.fila, c.filaFinal);
    EXPECT_EQ(r.columna, c.columnaFinal);
  }
}

constexpr auto kEnter = TeclaRejilla::Enter;
constexpr auto kTab = TeclaRejilla::Tab;
constexpr auto kEscape = TeclaRejilla::Escape;
constexpr auto kIrA = AccionRejilla::IrACelda;

INSTANTIATE_TEST_SUITE_P(
    Movimientos, TeclasRejillaTest,
    testing::Values(Caso{"EnterALaDerecha", kEnter, kSinShift, kSinCtrl, kSinEditor, kEditando, 1,
                         1, 3, 4, kIrA, 1, 2},
                    Caso{"EnterConEditorEntregaYAvanza", kEnter, kSinShift, kSinCtrl, kEditor,
                         kEditando, 1, 1, 3, 4, kIrA, 1, 2},
                    Caso{"EnterDeLaUltimaColumnaALaFilaSiguiente", kEnter, kSinShift, kSinCtrl,
                         kSinEditor, kSinEditar, 0, 3, 3, 4, kIrA, 1, 0},
                    Caso{"EnterEnLaUltimaCeldaSeQueda", kEnter, kSinShift, kSinCtrl, kEditor,
                         kEditando, 2, 3, 3, 4, kIrA, 2, 3},
                    Caso{"EnterConCtrlComoEnter", kEnter, kSinShift, kCtrl, kSinEditor, kEditando,
                         1, 1, 3, 4, kIrA, 1, 2},
                    Caso{"ShiftEnterALaIzquierda", kEnter, kShift, kSinCtrl, kSinEditor, kEditando,
                         1, 2, 3, 4, kIrA, 1, 1},
                    Caso{"ShiftEnterDeLaPrimeraColumnaALaFilaAnterior", kEnter, kShift, kSinCtrl,
                         kEditor, kEditando, 2, 0, 3, 4, kIrA, 1, 3},
                    Caso{"ShiftEnterEnLaPrimeraCeldaSeQueda", kEnter, kShift, kSinCtrl, kSinEditor,
                         kEditando, 0, 0, 3, 4, kIrA, 0, 0},
                    Caso{"EnterUnaColumnaPasaDeFila", kEnter, kSinShift, kSinCtrl, kSinEditor,
                         kEditando, 0, 0, 3, 1, kIrA, 1, 0},
                    Caso{"EnterSinFilas", kEnter, kSinShift, kSinCtrl, kSinEditor, kSinEditar, 0, 0,
                         0, 4, AccionRejilla::Ninguna},
                    Caso{"TabALaDerecha", kTab, kSinShift, kSinCtrl, kEditor, kEditando, 0, 1, 3, 4,
                         kIrA, 0, 2},
                    Caso{"TabDeLaUltimaColumnaALaFilaSiguiente", kTab, kSinShift, kSinCtrl,
                         kSinEditor, kEditando, 1, 3, 3, 4, kIrA, 2, 0},
                    Caso{"TabEnLaUltimaCeldaSaleDeLaRejilla", kTab, kSinShift, kSinCtrl, kEditor,
                         kEditando, 2, 3, 3, 4, AccionRejilla::ControlSiguiente},
                    Caso{"ShiftTabDeLaPrimeraColumnaALaFilaAnterior", kTab, kShift, kSinCtrl,
                         kSinEditor, kEditando, 1, 0, 3, 4, kIrA, 0, 3},
                    Caso{"ShiftTabEnLaPrimeraCeldaSaleHaciaAtras", kTab, kShift, kSinCtrl,
                         kSinEditor, kEditando, 0, 0, 3, 4, AccionRejilla::ControlAnterior},
                    Caso{"CtrlTabSaleDesdeCualquierCelda", kTab, kSinShift, kCtrl, kEditor,
                         kEditando, 1, 1, 3, 4, AccionRejilla::ControlSiguiente},
                    Caso{"CtrlShiftTabSaleHaciaAtras", kTab, kShift, kCtrl, kSinEditor, kEditando,
                         1, 1, 3, 4, AccionRejilla::ControlAnterior},
                    Caso{"TabSinFilasSaleDeLaRejilla", kTab, kSinShift, kSinCtrl, kSinEditor,
                         kSinEditar, 0, 0, 0, 4, AccionRejilla::ControlSiguiente}),
    [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

INSTANTIATE_TEST_SUITE_P(
    Escape, TeclasRejillaTest,
    testing::Values(
        // Once: the editor goes and the record keeps its other changes.
        Caso{"ConEditorCierraElEditor", kEscape, kSinShift, kSinCtrl, kEditor, kEditando, 1, 2, 3,
             4, AccionRejilla::CerrarEditor},
        // Again: the record's changes go.
        Caso{"SinEditorCancelaElRegistro", kEscape, kSinShift, kSinCtrl, kSinEditor, kEditando, 1,
             2, 3, 4, AccionRejilla::CancelarRegistro},
        Caso{"SinNadaQueCancelarNoHaceNada", kEscape, kSinShift, kSinCtrl, kSinEditor, kSinEditar,
             1, 2, 3, 4, AccionRejilla::Ninguna},
        Caso{"ConShiftIgual", kEscape, kShift, kSinCtrl, kSinEditor, kEditando, 1, 2, 3, 4,
             AccionRejilla::CancelarRegistro}),
    [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

TEST(TeclasRejilla, OtrasTeclasSonDeLaVista) {
  for (bool editor : {false, true})
    EXPECT_EQ(
        ui::teclaEnRejilla({TeclaRejilla::Otra, false, false, editor, true, 1, 1, 3, 4}).accion,
        AccionRejilla::NoEsDeLaRejilla);
}

}  // namespace
