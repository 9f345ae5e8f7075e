// Who owns the program's boxes and dialogs (ui/DuenoAvisos) in each mode and from each
// window.

#include <gtest/gtest.h>

#include <ostream>

#include "ui/DuenoAvisos.h"

namespace {

using ui::DuenoAviso;
using ui::OrigenAviso;

struct Caso {
  const char* nombre;
  int argumentos;
  std::uint32_t ventana;  // the host's handle
  OrigenAviso origen;
  DuenoAviso dueno;
};

std::ostream& operator<<(std::ostream& o, const Caso& c) { return o << c.nombre; }

class DuenoAvisosTest : public testing::TestWithParam<Caso> {};

TEST_P(DuenoAvisosTest, Dueno) {
  const Caso& c = GetParam();
  procesos::EstadoPrograma estado;
  estado.numeroArgumentos = c.argumentos;
  estado.ventanaAnfitrion = c.ventana;
  EXPECT_EQ(ui::duenoDeAvisos(estado, c.origen), c.dueno);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DuenoAvisosTest,
    testing::Values(Caso{"SoloAlEmpezar", 0, 0, OrigenAviso::SinVentana, DuenoAviso::Ninguno},
                    Caso{"SoloDialogoPrincipal", 0, 0, OrigenAviso::DialogoPrincipal,
                         DuenoAviso::VentanaOrigen},
                    Caso{"SoloDialogoDeComprobacion", 0, 0, OrigenAviso::VentanaPropia,
                         DuenoAviso::VentanaOrigen},
                    Caso{"AnfitrionAlEmpezar", 2, 0x1A2B, OrigenAviso::SinVentana,
                         DuenoAviso::VentanaAnfitrion},
                    Caso{"AnfitrionDialogoPrincipal", 2, 0x1A2B, OrigenAviso::DialogoPrincipal,
                         DuenoAviso::VentanaAnfitrion},
                    // A check dialog is a window of its own: its boxes keep it from input.
                    Caso{"AnfitrionDialogoDeComprobacion", 2, 0x1A2B, OrigenAviso::VentanaPropia,
                         DuenoAviso::VentanaOrigen},
                    // Handle 0: the dialog stays a top-level window, which owns its boxes.
                    Caso{"AnfitrionCeroAlEmpezar", 2, 0, OrigenAviso::SinVentana,
                         DuenoAviso::Ninguno},
                    Caso{"AnfitrionCeroDialogoPrincipal", 2, 0, OrigenAviso::DialogoPrincipal,
                         DuenoAviso::VentanaOrigen},
                    // A handle without host mode (its argument did not convert) counts for nothing.
                    Caso{"HandleSinModoAnfitrion", 0, 0x1A2B, OrigenAviso::DialogoPrincipal,
                         DuenoAviso::VentanaOrigen}),
    [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

}  // namespace
