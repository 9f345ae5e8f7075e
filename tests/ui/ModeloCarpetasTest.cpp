// The folder list's and the drive box's models: the rows, the paths they accept, and
// the errors.

#include <gtest/gtest.h>

#include <filesystem>

#include "gescen/Staging.h"
#include "tests/ui/Escenario.h"
#include "ui/ModeloCarpetas.h"
#include "ui/ModeloUnidades.h"

namespace {

TEST(ModeloCarpetas, RowsFromTheRootToTheFolderThenItsSubfoldersInOrder) {
  Escenario e;
  for (const char* sub : {"GC/b", "GC/A", "GC/.oculta", "GC/c"})
    std::filesystem::create_directories(e.nativa(sub));
  writeFile(e.nativa("GC/archivo"), "no es carpeta");
  e.entrar("GC");
  ui::ModeloCarpetas m;
  ASSERT_EQ(m.directorio(), "C:\\GC");
  std::vector<std::string> textos, rutas;
  std::vector<int> niveles;
  std::vector<bool> abiertas;
  for (const ui::FilaCarpeta& f : m.filas()) {
    textos.push_back(f.texto);
    rutas.push_back(f.ruta);
    niveles.push_back(f.nivel);
    abiertas.push_back(f.abierta);
  }
  EXPECT_EQ(textos, (std::vector<std::string>{"C:\\", "GC", "A", "b", "c"}));
  EXPECT_EQ(rutas,
            (std::vector<std::string>{"C:\\", "C:\\GC", "C:\\GC\\A", "C:\\GC\\b", "C:\\GC\\c"}));
  EXPECT_EQ(niveles, (std::vector<int>{0, 1, 2, 2, 2}));
  EXPECT_EQ(abiertas, (std::vector<bool>{true, true, false, false, false}));
  EXPECT_EQ(m.filaActual(), 1u);
}

TEST(ModeloCarpetas, PathsItAccepts) {
  Escenario e;
  std::filesystem::create_directories(e.nativa("GC/A/B"));
  e.entrar("GC/A");
  struct Caso {
    const char* dada;
    const char* normal;
  };
  const Caso casos[] = {
      {"", "C:\\GC\\A"},        {"B", "C:\\GC\\A\\B"}, {"..", "C:\\GC"},
      {"..\\..\\..", "C:\\"},   {"\\GC", "C:\\GC"},    {"c:/gc/a/./b/", "C:\\gc\\a\\b"},
      {"C:\\..\\GC", "C:\\GC"},
  };
  ui::ModeloCarpetas m;
  for (const Caso& c : casos) EXPECT_EQ(m.normalizar(c.dada), c.normal) << c.dada;
  EXPECT_EQ(m.normalizar(e.nativa("GC")), "C:\\GC");
}

TEST(ModeloCarpetas, ChangingFolder) {
  Escenario e;
  std::filesystem::create_directories(e.nativa("GC/A"));
  e.entrar("GC");
  ui::ModeloCarpetas m;
  EXPECT_FALSE(m.cambiar("c:\\gc"));
  EXPECT_EQ(m.directorio(), "C:\\GC");
  EXPECT_TRUE(m.cambiar("A"));
  EXPECT_EQ(m.directorio(), "C:\\GC\\A");
  try {
    m.cambiar("C:\\NO\\ESTA");
    FAIL() << "a missing folder was accepted";
  } catch (const gescen::EntradaSalidaError& error) {
    EXPECT_STREQ(error.what(), "Nombre de archivo inválido (C:\\NO\\ESTA)");
  }
  EXPECT_EQ(m.directorio(), "C:\\GC\\A");
}

#ifndef _WIN32
TEST(ModeloUnidades, EachDriveKeepsItsCurrentFolder) {
  Escenario e;
  e.crearUnidad('D');
  ui::ModeloUnidades u;
  EXPECT_EQ(u.unidades(), (std::vector<char>{'C', 'D', 'Z'}));
  EXPECT_EQ(ui::ModeloUnidades::texto('D'), "d:");
  EXPECT_EQ(u.seleccionada(), 0);
  EXPECT_EQ(u.carpetaActual('D'), "D:\\");
  u.mostrarCarpeta("D:\\DATOS");
  u.mostrarCarpeta("c:\\GC");
  EXPECT_EQ(u.seleccionada(), 'C');
  EXPECT_EQ(u.carpetaActual('D'), "D:\\DATOS");
  EXPECT_EQ(u.carpetaActual('C'), "c:\\GC");
  u.mostrarCarpeta("/sin/unidad");
  EXPECT_EQ(u.seleccionada(), 'C');
  u.mostrarCarpeta("Q:\\");
  EXPECT_EQ(u.seleccionada(), 0);
}
#endif

}  // namespace
