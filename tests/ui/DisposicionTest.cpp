// The layout tables hold together: every control lies in a pane of its dialog, names
// are unique, and what the tab order names exists, takes the focus and asks for help
// context 1.

#include <gtest/gtest.h>

#include <set>

#include "ui/Disposicion.h"

namespace {

bool tomaFoco(ui::Clase c) { return c != ui::Clase::Etiqueta && c != ui::Clase::Navegador; }

TEST(Disposicion, TheTablesHoldTogether) {
  for (const ui::Dialogo* d :
       {&ui::dialogoPrincipal(), &ui::dialogoControlProfesores(), &ui::dialogoControlPlantilla()}) {
    SCOPED_TRACE(std::string(d->nombre));
    std::set<std::string_view> nombres;
    for (const ui::Panel& p : d->paneles) EXPECT_TRUE(nombres.insert(p.nombre).second) << p.nombre;
    for (const ui::Control& c : d->controles) {
      EXPECT_TRUE(nombres.insert(c.nombre).second) << c.nombre;
      EXPECT_NO_THROW(d->panel(c.panel)) << c.nombre;
      // Every control that takes the focus asks for the dialog's help context.
      EXPECT_EQ(c.contextoAyuda, tomaFoco(c.clase) ? d->contextoAyuda : 0) << c.nombre;
    }
    for (std::string_view n : d->ordenTabulacion) EXPECT_TRUE(tomaFoco(d->control(n).clase)) << n;
    EXPECT_THROW(d->control("NoEsta"), std::out_of_range);
  }
}

TEST(Disposicion, MainPanesForEachChoiceOfHostMode) {
  struct Caso {
    bool exportar, importar;
    ui::Caja exp, imp;
  };
  const Caso casos[] = {{true, true, {0, 0, 299, 117}, {299, 0, 300, 117}},
                        {true, false, {0, 0, 599, 117}, {299, 0, 300, 117}},
                        {false, true, {0, 0, 299, 117}, {0, 0, 599, 117}}};
  for (const Caso& c : casos) {
    EXPECT_EQ(ui::cajaPanelPrincipal("Draw3D1", c.exportar, c.importar),
              (ui::Caja{0, 117, 599, 150}));
    if (c.exportar) {
      EXPECT_EQ(ui::cajaPanelPrincipal("Draw3D2", c.exportar, c.importar), c.exp);
    }
    if (c.importar) {
      EXPECT_EQ(ui::cajaPanelPrincipal("Draw3D3", c.exportar, c.importar), c.imp);
    }
  }
}

}  // namespace
