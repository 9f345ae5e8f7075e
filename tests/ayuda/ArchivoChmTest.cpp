// The reader on a help file compiled with chmcmd from proyecto/, and on files that are
// no help file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ayuda/ArchivoChm.h"

using namespace ayuda;
namespace fs = std::filesystem;

namespace {

const std::string kChm = TZV_CHM_PRUEBA;
const fs::path kProyecto = TZV_PROYECTO_AYUDA;

std::string contenidoDe(const fs::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A folder of its own for the files a test makes.
class Carpeta {
 public:
  Carpeta() {
    std::string plantilla = (fs::temp_directory_path() / "chm_tests.XXXXXX").string();
    ruta_ = mkdtemp(plantilla.data());
  }
  ~Carpeta() { fs::remove_all(ruta_); }
  std::string escribir(const std::string& nombre, const std::string& datos) const {
    const fs::path r = ruta_ / nombre;
    std::ofstream(r, std::ios::binary) << datos;
    return r.string();
  }
  const fs::path& ruta() const { return ruta_; }

 private:
  fs::path ruta_;
};

TEST(ArchivoChmTest, ListsTheFilesOfTheProject) {
  const ArchivoChm chm(kChm);
  EXPECT_EQ(chm.ruta(), kChm);
  std::vector<std::string> archivos = chm.archivos();
  // chmcmd adds a note of its own; nothing internal or folder-like is listed.
  std::erase(archivos, "/_#_README_#_");
  std::sort(archivos.begin(), archivos.end());
  EXPECT_EQ(archivos,
            (std::vector<std::string>{"/estilo.css", "/exportar.htm", "/imagenes/logo.png",
                                      "/indice.hhc", "/inicio.htm", "/sub/importar.htm"}));
}

TEST(ArchivoChmTest, ReadsAFileInsideAsTheProjectHasIt) {
  const ArchivoChm chm(kChm);
  const std::string logo = contenidoDe(kProyecto / "imagenes/logo.png");
  ASSERT_FALSE(logo.empty());
  EXPECT_EQ(chm.leer("/imagenes/logo.png"), logo);
  // Paths as links write them: without the leading '/', with '\', in another case.
  EXPECT_EQ(chm.leer("imagenes\\LOGO.PNG"), logo);
  EXPECT_EQ(chm.leer("sub/../estilo.css"), contenidoDe(kProyecto / "estilo.css"));
  EXPECT_EQ(chm.leer("/sub/importar.htm"), contenidoDe(kProyecto / "sub/importar.htm"));
  EXPECT_EQ(chm.leer("/no-esta.htm"), std::nullopt);
  EXPECT_NE(chm.leer("/#SYSTEM"), std::nullopt);
}

TEST(ArchivoChmTest, SystemContentsAndDefaultTopic) {
  const ArchivoChm chm(kChm);
  EXPECT_EQ(chm.sistema().contenido, "indice.hhc");
  EXPECT_EQ(chm.sistema().temaInicial, "inicio.htm");
  EXPECT_EQ(chm.sistema().titulo, "Ayuda de prueba");
  EXPECT_EQ(chm.temaInicial(), "/inicio.htm");
  // The contents file is in Windows-1252, as a help project made on Windows has it.
  const std::vector<EntradaContenido> esperado = {
      {"Inicio", "/inicio.htm", {}},
      {"Exportación", "/exportar.htm", {{"Importación de horarios", "/sub/importar.htm", {}}}}};
  EXPECT_EQ(chm.contenido(), esperado);
}

TEST(ArchivoChmTest, ContextsOfMapAndAliasOpenTheirPages) {
  const ArchivoChm chm(kChm);
  EXPECT_EQ(chm.contextos(), (std::vector<std::pair<std::uint32_t, std::string>>{
                                 {1, "/exportar.htm"}, {7, "/sub/importar.htm"}}));
  EXPECT_EQ(chm.temaDeContexto(1), "/exportar.htm");
  EXPECT_EQ(chm.temaDeContexto(7), "/sub/importar.htm");
  EXPECT_EQ(chm.temaDeContexto(2), "");
}

struct CasoMalo {
  const char* nombre;
  std::string datos;  // "nada": no file at all; "carpeta": a folder
  const char* motivo;
};

void PrintTo(const CasoMalo& c, std::ostream* os) { *os << c.nombre; }

class ArchivoMaloTest : public testing::TestWithParam<CasoMalo> {};

TEST_P(ArchivoMaloTest, SaysWhyInSpanish) {
  Carpeta c;
  std::string ruta = (c.ruta() / "GESCEN.chm").string();
  const std::string& datos = GetParam().datos;
  if (datos == "carpeta")
    fs::create_directory(ruta);
  else if (datos != "nada")
    c.escribir("GESCEN.chm", datos);
  try {
    ArchivoChm chm(ruta);
    FAIL() << GetParam().nombre << ": opened";
  } catch (const ErrorChm& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().motivo) << GetParam().nombre;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Archivos, ArchivoMaloTest,
    testing::Values(CasoMalo{"missing", "nada", "no existe"},
                    CasoMalo{"folder", "carpeta", "es una carpeta"},
                    CasoMalo{"empty", "",
                             "no es un archivo de ayuda compilado (.chm) o está dañado"},
                    CasoMalo{"garbage", std::string(4096, '\x5a'),
                             "no es un archivo de ayuda compilado (.chm) o está dañado"},
                    CasoMalo{"a text file", "<html><body>Ayuda</body></html>\n",
                             "no es un archivo de ayuda compilado (.chm) o está dañado"}),
    [](const testing::TestParamInfo<CasoMalo>& i) {
      std::string n = i.param.nombre;
      std::replace(n.begin(), n.end(), ' ', '_');
      return n;
    });

// A help file cut short: refused as damaged, or opened with only the project's own files
// listed, each read whole with the project's bytes or not at all, never in part or with
// bytes from past the end.
struct Corte {
  const char* nombre;
  std::function<std::size_t(std::size_t)> largo;  // the bytes left, of the whole file's
  bool rechazado;                                 // whether it must be refused outright
};

Corte primeros(const char* nombre, std::size_t n, bool rechazado) {
  return {nombre, [n](std::size_t) { return n; }, rechazado};
}

void PrintTo(const Corte& c, std::ostream* os) { *os << c.nombre; }

class ArchivoCortadoTest : public testing::TestWithParam<Corte> {};

TEST_P(ArchivoCortadoTest, IsRefusedOrReadOnlyWhole) {
  const std::string entero = contenidoDe(kChm);
  const Corte& corte = GetParam();
  const std::size_t largo = corte.largo(entero.size());
  ASSERT_LT(largo, entero.size());
  Carpeta c;
  const std::string ruta = c.escribir("corto.chm", entero.substr(0, largo));
  try {
    const ArchivoChm chm(ruta);
    EXPECT_FALSE(corte.rechazado) << "opened " << largo << " bytes of " << entero.size();
    for (const std::string& a : chm.archivos()) {
      if (a == "/_#_README_#_") continue;  // chmcmd's own note
      const fs::path enProyecto = kProyecto / a.substr(1);
      ASSERT_TRUE(fs::is_regular_file(enProyecto)) << a << " is no file of the project";
      const std::optional<std::string> leido = chm.leer(a);
      if (leido) EXPECT_EQ(*leido, contenidoDe(enProyecto)) << a;
    }
  } catch (const ErrorChm& e) {
    const std::string motivo = e.what();
    EXPECT_TRUE(motivo == "no es un archivo de ayuda compilado (.chm) o está dañado" ||
                motivo == "está dañado o vacío: no contiene ninguna página")
        << motivo;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cortes, ArchivoCortadoTest,
    testing::Values(primeros("inside_the_first_header", 0x38, true),
                    primeros("after_the_first_header", 0x60, true),
                    primeros("inside_the_header_sections", 200, true),
                    primeros("inside_the_directory", 0x1000, false),
                    Corte{"half", [](std::size_t n) { return n / 2; }, false},
                    Corte{"all_but_100_bytes", [](std::size_t n) { return n - 100; }, false}),
    [](const testing::TestParamInfo<Corte>& i) { return std::string(i.param.nombre); });

}  // namespace
