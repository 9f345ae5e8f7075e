// The dataset behind the grids, the navigator's rules and the check dialogs' presenter,
// on small tables of a throw-away drive.

#include <gtest/gtest.h>

#include <filesystem>

#include "dbf/Recreate.h"
#include "dbf/Table.h"
#include "gescen/Staging.h"
#include "plat/WinPath.h"
#include "procesos/importar/ComprobarPlantilla.h"
#include "tests/ui/Escenario.h"
#include "ui/ConjuntoDatos.h"
#include "ui/Navegador.h"
#include "ui/PresentadorComprobacion.h"

namespace {

using Textos = std::vector<std::string>;

// C:\ZORVTMP\PROFT.DBF with one teacher per DNI, fields as the export writes them.
void crearProft(const std::vector<long long>& dnis) {
  std::filesystem::create_directories(plat::toNative(gescen::kCarpetaTrabajo));
  dbf::Table t;
  dbf::recrearTabla(t, gescen::kCarpetaTrabajo, "PROFT.DBF",
                    {{"ABREV", dbf::FieldKind::String, 4},
                     {"NOMBRE", dbf::FieldKind::String, 10},
                     {"DNI", dbf::FieldKind::Integer, 0},
                     {"HORAS", dbf::FieldKind::Float, 0},
                     {"DEPART", dbf::FieldKind::String, 10}});
  t.open();
  for (std::size_t i = 0; i < dnis.size(); ++i) {
    t.append();
    t.setString("ABREV", "P" + std::to_string(i + 1));
    t.setString("NOMBRE", "Nombre " + std::to_string(i + 1));
    t.setInteger("DNI", dnis[i]);
    t.post();
  }
  t.close();
}

// A column of PROFT.DBF as another program would read it.
Textos leer(const std::string& campo) {
  dbf::Table t;
  t.setTableName(std::string(gescen::kCarpetaTrabajo) + "\\PROFT.DBF");
  t.open();
  Textos v;
  for (t.first(); !t.eof(); t.next()) v.push_back(t.asString(campo));
  return v;
}

const std::vector<ui::ColumnaDatos> kColumnas = {
    {"ABREV", 4, "ABREV", false},
    {"NOMBRE", 10, "NOMBRE", true},
    {"DNI", 10, "DNI", true},
    {"HORAS", 6, "HORAS", true},
};
enum { ABREV, NOMBRE, DNI, HORAS };

struct Proft {
  Proft(const std::vector<long long>& dnis) {
    crearProft(dnis);
    tabla.setTableName(std::string(gescen::kCarpetaTrabajo) + "\\PROFT.DBF");
    tabla.setExclusive(false);
    tabla.open();
    datos.setColumnas(kColumnas);
    datos.setTabla(&tabla);
  }
  ~Proft() { datos.setTabla(nullptr); }
  Escenario e;
  dbf::Table tabla{"wwTableProft"};
  ui::ConjuntoDatos datos;
};

TEST(ConjuntoDatos, TypedTextAsEachKindOfFieldTakesIt) {
  struct Caso {
    const char* texto;
    int columna;
    bool tomado;
    const char* guardado;  // what the cell shows afterwards
    const char* error;
  };
  const Caso casos[] = {
      {"12345678", DNI, true, "12345678", ""},
      {" -42 ", DNI, true, "-42", ""},
      {"", DNI, true, "", ""},
      {"12a", DNI, false, "7", "'12a' no es un valor entero válido"},
      {"12345678901", DNI, false, "7", "'12345678901' no es un valor entero válido"},
      {"3000000000", DNI, false, "7", "'3000000000' no es un valor entero válido"},
      {"x", HORAS, false, "", "'x' no es un valor punto flotante válido"},
      {"Un nombre muy largo", NOMBRE, true, "Un nombre", ""},
      {"P9", ABREV, false, "P1", ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto);
    Proft p({7});
    EXPECT_EQ(p.datos.escribir(0, c.columna, c.texto), c.tomado);
    EXPECT_EQ(p.datos.valor(0, c.columna), c.guardado);
    EXPECT_EQ(p.datos.ultimoError(), c.error);
    // A refused value leaves the record in editing, where the user sees it.
    EXPECT_EQ(p.datos.filaActual(), 0);
    EXPECT_EQ(p.datos.editando(), c.columna != ABREV);
  }
}

TEST(ConjuntoDatos, MovingStoresTheRecordBeingEditedAndCancelDropsIt) {
  Proft p({1, 2, 3});
  ASSERT_TRUE(p.datos.escribir(0, DNI, "11"));
  EXPECT_EQ(leer("DNI"), (Textos{"1", "2", "3"}));
  ASSERT_TRUE(p.datos.siguiente());
  EXPECT_EQ(leer("DNI"), (Textos{"11", "2", "3"}));
  EXPECT_FALSE(p.datos.editando());

  // Typing into another row moves there first, storing nothing twice.
  ASSERT_TRUE(p.datos.escribir(2, DNI, "33"));
  EXPECT_EQ(p.datos.filaActual(), 2);
  p.datos.cancelar();
  EXPECT_EQ(p.datos.valor(2, DNI), "3");
  EXPECT_FALSE(p.datos.editando());
  EXPECT_EQ(leer("DNI"), (Textos{"11", "2", "3"}));
}

TEST(ConjuntoDatos, AViewThatRefusesToHandOverStopsEveryMove) {
  Proft p({1, 2});
  int vecesPreguntado = 0;
  bool entrega = false;
  p.datos.volcado = [&] {
    ++vecesPreguntado;
    return entrega;
  };
  EXPECT_FALSE(p.datos.siguiente());
  EXPECT_FALSE(p.datos.grabar());
  EXPECT_EQ(p.datos.filaActual(), 0);
  entrega = true;
  EXPECT_TRUE(p.datos.siguiente());
  EXPECT_EQ(p.datos.filaActual(), 1);
  EXPECT_EQ(vecesPreguntado, 3);
}

TEST(Navegador, ButtonsFollowTheDatasetsState) {
  using B = std::array<bool, ui::kBotonesNavegador>;
  //                  First PriorPage Prior Next NextPage Last Edit Post Cancel Refresh
  const B alPrincipio = {0, 0, 0, 1, 1, 1, 1, 0, 0, 1};
  const B editando = {0, 0, 0, 1, 1, 1, 0, 1, 1, 1};
  const B alFinal = {1, 1, 1, 0, 0, 0, 1, 0, 0, 1};
  const B vacia = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const B cerrada = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

  {
    Proft p({1, 2, 3});
    EXPECT_EQ(ui::botonesHabilitados(p.datos), alPrincipio);
    ui::pulsarBoton(p.datos, ui::BotonNavegador::Edit);
    EXPECT_EQ(ui::botonesHabilitados(p.datos), editando);
    ui::pulsarBoton(p.datos, ui::BotonNavegador::Cancel);
    ui::pulsarBoton(p.datos, ui::BotonNavegador::Last);
    EXPECT_EQ(ui::botonesHabilitados(p.datos), alFinal);
    p.datos.setTabla(nullptr);
    EXPECT_EQ(ui::botonesHabilitados(p.datos), cerrada);
  }
  // One drive at a time: on Windows it is the machine's own C:.
  Proft sinFilas({});
  EXPECT_EQ(ui::botonesHabilitados(sinFilas.datos), vacia);
  // Edit on an empty table appends nothing.
  ui::pulsarBoton(sinFilas.datos, ui::BotonNavegador::Edit);
  EXPECT_EQ(sinFilas.datos.filas(), 0);
  EXPECT_FALSE(sinFilas.datos.editando());
}

TEST(Navegador, PagesMoveTenRecordsAtMost) {
  std::vector<long long> dnis(25, 1);
  Proft p(dnis);
  const std::pair<ui::BotonNavegador, int> pasos[] = {
      {ui::BotonNavegador::NextPage, 10},  {ui::BotonNavegador::NextPage, 20},
      {ui::BotonNavegador::NextPage, 24},  {ui::BotonNavegador::Prior, 23},
      {ui::BotonNavegador::PriorPage, 13}, {ui::BotonNavegador::First, 0},
      {ui::BotonNavegador::PriorPage, 0},  {ui::BotonNavegador::Next, 1}};
  for (const auto& [boton, fila] : pasos) {
    ui::pulsarBoton(p.datos, boton);
    EXPECT_EQ(p.datos.filaActual(), fila) << ui::nombreBoton(boton);
  }
}

TEST(PresentadorComprobacion, TeacherCheck) {
  struct Caso {
    const char* nombre;
    std::vector<long long> dnis;
    const char* escrito;  // typed into the first teacher's DNI, or null
    bool correcto;
  };
  const Caso casos[] = {
      {"a teacher left without DNI", {0, 5}, nullptr, false},
      {"the DNI typed in", {0, 5}, "12345678", true},
      {"every teacher has one", {4, 5}, nullptr, true},
      {"the DNI typed and left in editing", {0}, "9", true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    crearProft(c.dnis);
    ui::PresentadorComprobacion p(ui::Comprobacion::Profesores);
    EXPECT_EQ(p.tabla()->handleName(), "wwTableProft");
    EXPECT_EQ(p.datos().columnas().size(), 4u);
    p.rejillaEntrada();
    EXPECT_TRUE(p.datos().editando());
    if (c.escrito != nullptr) {
      EXPECT_TRUE(p.datos().escribir(0, 2, c.escrito));
    }
    p.salir();
    EXPECT_EQ(p.dniCorrecto(), c.correcto);
    EXPECT_EQ(p.tabla(), nullptr);
    if (c.escrito != nullptr) {
      EXPECT_EQ(leer("DNI").at(0), c.escrito);
    }
  }
}

TEST(PresentadorComprobacion, ClassPeriodTemplate) {
  Escenario e;
  std::filesystem::create_directories(plat::toNative(procesos::kCarpetaPlantilla));
  {
    dbf::Table t;
    dbf::recrearTabla(t, procesos::kCarpetaPlantilla, "PLANTILLA.DBF",
                      {{"HORA", dbf::FieldKind::Integer, 0},
                       {"HORAINI", dbf::FieldKind::String, 5},
                       {"HORAFIN", dbf::FieldKind::String, 5}});
    t.open();
    t.append();
    t.setInteger("HORA", 1);
    t.post();
    t.close();
  }
  ui::PresentadorComprobacion p(ui::Comprobacion::Plantilla);
  EXPECT_EQ(p.tabla()->handleName(), "wwTablePlantilla");
  EXPECT_FALSE(p.datos().editable(0));
  p.rejillaEntrada();
  EXPECT_TRUE(p.datos().escribir(0, 1, "08:00"));
  p.rejillaSalida();
  EXPECT_FALSE(p.datos().editando());
  p.salir();
  dbf::Table t;
  t.setTableName(std::string(procesos::kCarpetaPlantilla) + "\\PLANTILLA.DBF");
  t.open();
  EXPECT_EQ(t.asString("HORAINI"), "08:00");
}

TEST(PresentadorComprobacion, AMissingTableIsTheEnginesError) {
  Escenario e;
  EXPECT_THROW(ui::PresentadorComprobacion{ui::Comprobacion::Profesores}, std::exception);
}

}  // namespace
