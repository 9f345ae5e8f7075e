// The cursor around a check dialog: the normal one over the run's hourglass while the
// dialog is up, the hourglass back afterwards, also when the dialog ends by an error;
// nothing touched when no hourglass was up.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/CursorDeComprobacion.h"

namespace {

struct Caso {
  const char* nombre;
  bool esperando;
  bool conError;
  std::string duranteElDialogo;  // the calls made once the dialog is up
  std::string alFinal;           // all the calls once it is gone
};

class CursorDeComprobacionTest : public ::testing::TestWithParam<Caso> {};

TEST_P(CursorDeComprobacionTest, NormalDuranteYRelojDespues) {
  const Caso& c = GetParam();
  std::string llamadas;
  try {
    const ui::CursorNormalDurante cursor(
        c.esperando, [&] { llamadas += "normal;"; }, [&] { llamadas += "reloj;"; });
    EXPECT_EQ(llamadas, c.duranteElDialogo);
    if (c.conError) throw std::runtime_error("la tabla no se puede abrir");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(llamadas, c.alFinal);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CursorDeComprobacionTest,
    ::testing::Values(Caso{"ConRelojLoDevuelve", true, false, "normal;", "normal;reloj;"},
                      Caso{"ConRelojYErrorLoDevuelve", true, true, "normal;", "normal;reloj;"},
                      Caso{"SinRelojNoToca", false, false, "", ""},
                      Caso{"SinRelojConErrorNoToca", false, true, "", ""}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
