#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "procesos/exportar/ExportarAlumnos.h"
#include "procesos/exportar/ExportarAsigCursos.h"
#include "procesos/exportar/ExportarAsignaturas.h"
#include "tests/support/Escuela.h"

namespace {

class AlumnosTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  void SetUp() override {
    escuelaVacia();
    asignaturas({{"1ESO002", "ING", "Anglés", "", "3"},
                 {"1ESO001", "MAT", "Matemàtiques", "", "4"},
                 {"1ESO001", "MA2", "Duplicat", "", "4"},
                 {"1ESO003", "VAL", "Valencià", "", "3"}});
    procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
  }
  std::vector<std::string> asignaturasDe(const Registro& r) {
    std::vector<std::string> out;
    for (int n = 1; n <= 50; ++n) {
      if (!r.at("ASIG" + std::to_string(n)).empty())
        out.push_back(r.at("ASIG" + std::to_string(n)));
      EXPECT_EQ(r.at("DIV" + std::to_string(n)), "");
    }
    return out;
  }
};

TEST_F(AlumnosTest, StudentsWithShiftSubjectsAndRepeaterFlag) {
  grupos({{"1ESOA", "M", "A"}, {"1ESOB", "V", "B"}, {"2BACA", "M", "C"}});
  alumnos({{"0000000001", "PRIMERA, ANA", "1ESO", "1ESOB", "1"},
           {"0000000002", "SEGON, PAU", "3ESO", "1ESOB", "2"},
           {"0000000003", "SENSE GRUP", "1ESO", "", "0"},
           {"0000000004", "CURT", "1ESO", "X", "0"},
           {"1234", "DOS LLETRES", "9ZZZ", "XY", "0"}});
  matriculas({{"0000000001", "1ESO003"},
              {"0000000002", "1ESO001"},
              {"0000000001", "9NOEXIS"},
              {"0000000001", "1ESO001"},
              {"0000000001", "1ESO001"},
              {"1234", "1ESO002"},
              {"12345", "1ESO003"}});
  procesos::ExportarAlumnos(tablas_);
  auto filas = leerTabla(intercambio("ALUMNOST.DBF"));
  ASSERT_EQ(filas.size(), 3u);
  EXPECT_EQ(filas[0].at("EXPED"), "0000000001");
  EXPECT_EQ(filas[0].at("NOMBRE"), "PRIMERA, ANA");
  EXPECT_EQ(filas[0].at("TURNO"), "M");  // 1ESOA matches the course code first
  EXPECT_EQ(filas[0].at("NIVEL"), "ESO");
  EXPECT_EQ(filas[0].at("CURSO"), "1");
  EXPECT_EQ(filas[0].at("GRUPO"), "B");
  EXPECT_EQ(filas[0].at("OPCION"), "");
  EXPECT_EQ(filas[0].at("REPITE"), "True");
  EXPECT_EQ(asignaturasDe(filas[0]), (std::vector<std::string>{"VAL", "MAT", "MAT"}));
  EXPECT_EQ(filas[1].at("TURNO"), "V");  // matched by its group code only
  EXPECT_EQ(filas[1].at("REPITE"), "False");
  EXPECT_EQ(asignaturasDe(filas[1]), std::vector<std::string>{"MAT"});
  EXPECT_EQ(filas[2].at("EXPED"), "1234");
  EXPECT_EQ(filas[2].at("TURNO"), "");
  EXPECT_EQ(filas[2].at("NIVEL"), "Y");
  EXPECT_EQ(filas[2].at("CURSO"), "X");
  EXPECT_EQ(filas[2].at("GRUPO"), "Y");
  EXPECT_EQ(asignaturasDe(filas[2]), std::vector<std::string>{"ING"});
  EXPECT_EQ(tablas_.wwTableAlumnos.active(), false);
}

TEST_F(AlumnosTest, FiftySubjectsFitTheFiftyFirstStopsTheExport) {
  grupos({{"1ESOA", "M", "A"}});
  alumnos({{"1", "PRIMER", "1ESO", "1ESOA", "0"}, {"2", "SEGON", "1ESO", "1ESOA", "0"}});
  std::vector<Fila> m;
  for (int i = 0; i < 50; ++i) m.push_back({"1", "1ESO002"});
  for (int i = 0; i < 51; ++i) m.push_back({"2", "1ESO003"});
  matriculas(m);
  try {
    procesos::ExportarAlumnos(tablas_);
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "No se encuentra el campo 'ASIG51' (C:\\ZORVTMP\\ALUMNOST.DBF)");
  }
  tablas_.cerrarTodas();
  auto filas = leerTabla(intercambio("ALUMNOST.DBF"));
  ASSERT_EQ(filas.size(), 1u);
  EXPECT_EQ(filas[0].at("ASIG50"), "ING");
}

// The rows made as bytes are those the writer writes one student at a time, byte for byte:
// texts longer than their fields, accents, blanks in front, and a student table in
// another code page than ALUMNOST's.
TEST_F(AlumnosTest, RowsMadeAsBytesAreThoseWrittenOneAtATime) {
  grupos({{"1ESOA", "M", "A"}, {"2BACB", "V", "B"}});
  const std::vector<Columna> anchos = {
      {"CODIGO", 24}, {"APENOM", 60}, {"CODCUR", 4}, {"CODGRUP", 5}, {"REPITE", 0}};
  const std::vector<Fila> tres = {
      {"123456789012345678901234", "LLARG " + std::string(50, 'X') + " FINAL", "1ESO", "1ESOA",
       "1"},
      {"ÀÉÍ", "GARCÍA PÉREZ, JOSÉ Ñ", "2BAC", "2BACB", "0"},
      {"3", "  BLANCS AL DAVANT", "1ESO", "1ESOA", "0"}};
  const std::vector<Fila> enTres = {
      {"12345678901234567890", "1ESO001"}, {"ÀÉÍ", "1ESO002"}, {"3", "1ESO003"}};
  // The stored rows of ALUMNOST.DBF, as they lie in the file.
  auto filasAlmacenadas = [&](std::size_t cuantas) {
    std::ifstream f(drive_.native("ZORVTMP/ALUMNOST.DBF"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const std::size_t cabecera =
        static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
    const std::size_t largo =
        static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
    return bytes.substr(cabecera, cuantas * largo);
  };
  for (const char driver : {'\x03', '\x02'}) {  // Windows ANSI, then DOS 850
    SCOPED_TRACE(static_cast<int>(driver));
    auto alumnosEn = [&](const std::vector<Fila>& filas) {
      staged("alumnos.dbf", anchos, filas);
      std::fstream f(drive_.native("ZORVTMP/VALENCIA/alumnos.dbf"),
                     std::ios::in | std::ios::out | std::ios::binary);
      f.seekp(29);
      f.put(driver);
    };
    auto matriculasEn = [&](const std::vector<Fila>& filas) {
      staged("asigalum.dbf", {{"CODIGO", 24}, {"CODASIG", 8}}, filas);
    };
    alumnosEn(tres);
    matriculasEn(enTres);
    procesos::ExportarAlumnos(tablas_);
    const std::string hechas = filasAlmacenadas(3);
    // Found by the codes as EXPED keeps them (in the other code page, the accented one
    // reads back otherwise).
    const std::string acentuado = driver == '\x03' ? "ING" : "";
    ASSERT_EQ(columna(intercambio("ALUMNOST.DBF"), "ASIG1"),
              (std::vector<std::string>{"MAT", acentuado, "VAL"}));

    // A fourth student with 51 subjects: the writer goes through them one at a time.
    std::vector<Fila> cuatro = tres, enCuatro = enTres;
    cuatro.push_back({"4", "QUART", "1ESO", "1ESOA", "0"});
    for (int i = 0; i < 51; ++i) enCuatro.push_back({"4", "1ESO001"});
    alumnosEn(cuatro);
    matriculasEn(enCuatro);
    EXPECT_EQ(errorDe([&] { procesos::ExportarAlumnos(tablas_); }),
              "No se encuentra el campo 'ASIG51' (C:\\ZORVTMP\\ALUMNOST.DBF)");
    tablas_.cerrarTodas();
    EXPECT_EQ(filasAlmacenadas(3), hechas);
  }
}

// The enrolments are read while the students are; whatever fails, the writer stops where
// a plain pass over the students would have stopped, with that pass's rows and error.
TEST_F(AlumnosTest, AFailureStopsTheWriterWhereAPlainPassWould) {
  std::vector<Fila> tresAlumnos = {{"1", "PRIMER", "1ESO", "1ESOA", "0"},
                                   {"2", "SEGON", "1ESO", "1ESOA", "0"},
                                   {"3", "TERCER", "1ESO", "1ESOA", "0"}};
  std::vector<Fila> repiteMalo = tresAlumnos;
  repiteMalo[1][4] = "x";
  const std::vector<Columna> repiteEnTexto = {
      {"CODIGO", 10}, {"APENOM", 45}, {"CODCUR", 4}, {"CODGRUP", 5}, {"REPITE", 1}};
  const std::vector<CasoFallo> casos = {
      {"a repeater flag that is not a number stops at the second student",
       [&] { staged("alumnos.dbf", repiteEnTexto, repiteMalo); },
       "wwTableAlumnos: 'x' no es un valor entero válido "
       "(C:\\ZORVTMP\\VALENCIA\\alumnos.DBF, registro 2)",
       {"1"}},
      {"no enrolment table",
       [&] { std::filesystem::remove(drive_.native("ZORVTMP/VALENCIA/asigalum.dbf")); },
       "wwTableAsigAlum: No se encuentra la tabla C:\\ZORVTMP\\VALENCIA\\asigalum.DBF",
       {}},
      {"no student table either: the student table fails first",
       [&] {
         std::filesystem::remove(drive_.native("ZORVTMP/VALENCIA/asigalum.dbf"));
         std::filesystem::remove(drive_.native("ZORVTMP/VALENCIA/alumnos.dbf"));
       },
       "wwTableAlumnos: No se encuentra la tabla C:\\ZORVTMP\\VALENCIA\\alumnos.DBF",
       {}},
      {"enrolments without a student code fail at the first student written",
       [&] {
         staged("asigalum.dbf", {{"CODASIG", 8}}, {{"1ESO001"}});
       },
       "wwTableAsigAlum: No se encuentra el campo 'Codigo' (C:\\ZORVTMP\\VALENCIA\\asigalum.DBF)",
       {}},
      {"which is no error when no student has a usable group",
       [&] {
         staged("asigalum.dbf", {{"CODASIG", 8}}, {{"1ESO001"}});
         alumnos({{"1", "PRIMER", "1ESO", "X", "0"}});
       },
       "",
       {}},
  };
  for (const CasoFallo& c : casos) {
    SCOPED_TRACE(c.nombre);
    grupos({{"1ESOA", "M", "A"}});
    alumnos(tresAlumnos);
    matriculas({{"1", "1ESO001"}, {"2", "1ESO002"}, {"3", "1ESO003"}});
    c.preparar();
    const std::string error = errorDe([&] { procesos::ExportarAlumnos(tablas_); });
    tablas_.cerrarTodas();
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(columna(intercambio("ALUMNOST.DBF"), "EXPED"), c.filas);
    EXPECT_FALSE(tablas_.wwTableAsigAlum.active());
  }
}

TEST_F(AlumnosTest, EmptyStudentTableAndSubjectHours) {
  procesos::ExportarAlumnos(tablas_);
  EXPECT_TRUE(leerTabla(intercambio("ALUMNOST.DBF")).empty());
  procesos::ExportarAsigCursos();
  auto filas = leerTabla(intercambio("ASIGCURT.DBF"));
  std::vector<std::string> vistas;
  for (auto& f : filas)
    vistas.push_back(f.at("NIVEL") + f.at("CURSO") + f.at("ASIG") + "=" + f.at("HORAS"));
  EXPECT_EQ(vistas, (std::vector<std::string>{"ESO1MAT=4", "ESO1MA2=4", "ESO1ING=3", "ESO1VAL=3"}));
}

}  // namespace
