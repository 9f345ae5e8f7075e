// The check of a school's data: a small school, damaged one way at a time (and several
// ways at once), against the lines the check must give and whether a run would stop.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "Catalogo.h"
#include "Centro.h"
#include "Comprobacion.h"
#include "EscuelaMinima.h"
#include "Exportacion.h"
#include "Staging.h"
#include "Table.h"
#include "TempDrive.h"
#include "WinPath.h"

namespace {

const std::string kGC = "C:\\GC";

std::string ruta(const std::string& tabla) { return kGC + "\\" + tabla; }

// Writes `bytes` over the stored value of a field of record `registro` (1-based), as
// another program could have left it, whatever the field's type.
void escribirAlmacenado(const std::string& tabla, std::uint32_t registro, const char* campo,
                        std::string bytes) {
  dbf::Table t;
  t.setTableName(ruta(tabla));
  t.open();
  const dbf::Layout l = t.layout();
  t.close();
  const dbf::Field& f = l.fields[static_cast<std::size_t>(l.find(campo))];
  bytes.resize(static_cast<std::size_t>(f.length), ' ');
  std::fstream archivo(winpath::toNative(ruta(tabla)),
                       std::ios::in | std::ios::out | std::ios::binary);
  archivo.seekp(l.headerLength + (registro - 1) * l.recordLength + f.offset);
  archivo.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Appends a record with these text values (fields by name) to a table.
void anadir(const std::string& tabla, const std::vector<std::pair<const char*, std::string>>& v) {
  dbf::Table t;
  t.setTableName(ruta(tabla));
  t.open();
  t.append();
  for (const auto& [campo, valor] : v) t.setString(campo, valor);
  t.post();
  t.close();
}

std::vector<std::string> lineas(const std::vector<tzv::Problema>& problemas) {
  std::vector<std::string> out;
  for (const tzv::Problema& p : problemas) out.push_back(tzv::EnTexto(p));
  return out;
}

struct Caso {
  const char* nombre;
  std::function<void()> danar;
  std::vector<std::string> esperadas;
  bool detiene;
};

std::vector<tzv::Problema> comprobar() {
  gc::Catalogo tablas;
  gc::CopiarDatosGC(tablas, kGC);
  tzv::OpcionesComprobacion opciones;
  opciones.carpetaGC = kGC;
  return tzv::ComprobarDatos(tablas, opciones);
}

TEST(ComprobacionTest, EachDamageGivesItsLinesAndWhetherARunStops) {
  const std::string otroAlumno = "2";
  const Caso casos[] = {
      {"a clean school", [] {}, {}, false},
      {"weekly hours that are not a number",
       [] { escribirAlmacenado("asignat.dbf", 1, "HORSEMTE", "x5"); },
       {"asignat.dbf | registro 1 | CODASIG 1ESO001 | HORSEMTE | \"x5\" | detiene la "
        "exportación: 'x5' no es un valor punto flotante válido "
        "(C:\\ZORVTMP\\VALENCIA\\asignat.dbf, "
        "registro 1) | Escriba en GESCEN las horas "
        "semanales como número entero (4, 12), o déjelas vacías: solo cuentan los dos "
        "primeros caracteres."},
       true},
      {"a DNI that is not a number",
       [] { escribirAlmacenado("profesor.dbf", 1, "DNI", "12A"); },
       {"profesor.dbf | registro 1 | APENOMPROF GARCIA PEREZ, ANA | DNI | \"12A\" | detiene "
        "la exportación: wwTableProfesor: Valor no válido en el campo 'DNI': '12A        ' "
        "(C:\\ZORVTMP\\VALENCIA\\profesor.DBF, registro 1) | "
        "Escriba en GESCEN un número "
        "entero en DNI."},
       true},
      {"a missing table",
       [] { std::filesystem::remove(winpath::toNative(ruta("OCUPA.dbf"))); },
       {"OCUPA.dbf | tabla | - | - | - | detiene la exportación: wwTableOCUPA: No se encuentra "
        "la tabla C:\\ZORVTMP\\VALENCIA\\OCUPA.DBF | Compruebe que la tabla está en la carpeta de "
        "GESCEN y que GESCEN la abre."},
       true},
      {"a student with 51 subjects",
       [] {
         for (int n = 2; n <= 51; ++n) {
           const std::string codigo = "1ESO" + std::to_string(100 + n);
           anadir("asignat.dbf", {{"CODASIG", codigo}, {"LITRESV", "M" + std::to_string(n)}});
           anadir("asigalum.dbf", {{"CODIGO", "1"}, {"CODASIG", codigo}});
         }
       },
       {"alumnos.dbf | registro 1 | CODIGO 1 | CODIGO | \"1\" | detiene la exportación: No se "
        "encuentra el campo 'ASIG51' (C:\\ZORVTMP\\ALUMNOST.DBF): el alumno tiene 51 asignaturas "
        "y ALUMNOST admite 50 | Quite "
        "en GESCEN las matrículas "
        "sobrantes del alumno (asigalum)."},
       true},
      {"a group code too short to split",
       [] { escribirAlmacenado("alumnos.dbf", 1, "CODGRUP", "1"); },
       {"alumnos.dbf | registro 1 | CODIGO 1 | CODGRUP | \"1\" | el alumno no pasa a ALUMNOST "
        "| Asigne en GESCEN al alumno un grupo con curso, nivel y letra."},
       false},
      {"a room code the import cannot read",
       [] { escribirAlmacenado("aulas.dbf", 1, "CODAULA", "GIM"); },
       {"aulas.dbf | registro 1 | CODAULA GIM | CODAULA | \"GIM\" | las clases en esta aula "
        "vuelven a GESCEN sin código de aula | Use en GESCEN como código del aula un número de "
        "hasta tres cifras."},
       false},
      {"two teachers with one abbreviation",
       [] {
         anadir("profesor.dbf", {{"APENOMPROF", "GOMEZ PUIG, ANTONIO"}});
       },
       {"profesor.dbf | registro 2 | APENOMPROF GOMEZ PUIG, ANTONIO | APENOMPROF | \"GOMEZ "
        "PUIG, ANTONIO\" | su abreviatura GPA ya es de otro profesor: PROFT recibe GPA2 | Si la "
        "abreviatura no le sirve, cámbiela en Zorvex después de importar."},
       false},
      {"a subject code too short for a level",
       [] { escribirAlmacenado("asignat.dbf", 1, "CODASIG", "1E"); },
       {"asignat.dbf | registro 1 | CODASIG 1E | CODASIG | \"1E\" | ASIGVALT recibe un curso o "
        "un nivel vacío o incompleto para la asignatura | El código de asignatura de GESCEN "
        "debe tener al menos cuatro caracteres: el curso y el nivel."},
       false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TempDrive drive;
    prueba::EscribirEscuela(kGC);
    c.danar();
    const std::vector<tzv::Problema> problemas = comprobar();
    EXPECT_EQ(lineas(problemas), c.esperadas);
    EXPECT_EQ(tzv::AlgunoDetiene(problemas), c.detiene);
    // The export itself stops, or not, with the first stopping problem's error.
    std::string error;
    try {
      gc::Catalogo tablas;
      gc::CopiarDatosGC(tablas, kGC);
      tzv::EscribirTablasIntercambio(tablas, "VALENCIÁ");
    } catch (const std::exception& e) {
      error = std::string("detiene la exportación: ") + e.what();
    }
    EXPECT_EQ(error.empty(), !c.detiene);
    if (c.detiene) {
      EXPECT_TRUE(problemas.front().efecto.starts_with(error)) << error;
    }
  }
}

// Problems in several tables, none of which a run would get past, all found in one pass
// and given by table, then by record.
TEST(ComprobacionTest, ManyProblemsInManyTablesAllComeOutInOrder) {
  TempDrive drive;
  prueba::EscribirEscuela(kGC);
  anadir("alumnos.dbf", {{"CODIGO", "2"}, {"CODGRUP", "1ESOA"}});
  escribirAlmacenado("alumnos.dbf", 2, "REPITE", "si");
  escribirAlmacenado("alumnos.dbf", 1, "REPITE", "no");
  escribirAlmacenado("asignat.dbf", 1, "HORSEMTE", "x5");
  escribirAlmacenado("profesor.dbf", 1, "FBAJA", "20241399");
  escribirAlmacenado("horgrup.dbf", 1, "DNI", "?");
  std::vector<std::string> donde;
  for (const tzv::Problema& p : comprobar())
    donde.push_back(p.tabla + " " + std::to_string(p.registro) + " " + p.campo);
  EXPECT_EQ(donde, (std::vector<std::string>{"asignat.dbf 1 HORSEMTE", "profesor.dbf 1 FBAJA",
                                             "alumnos.dbf 1 REPITE", "alumnos.dbf 2 REPITE",
                                             "horgrup.dbf 1 DNI"}));
}

// With a solution to import: the teachers without a DNI, and the solution's rows whose
// codes the exchange tables do not know or whose period has no times.
TEST(ComprobacionTest, TheSolutionsRowsAreCheckedAgainstTheExchangeTables) {
  TempDrive drive;
  prueba::EscribirEscuela(kGC);
  horariosGescen();
  centroYPeriodos({{"46001234", "1", "08:00", "08:55"}, {"46001234", "2", "08:55", ""}});
  profesoresExportados(
      {{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"}, {"SIN", "SIN DNI, UNO", "MATES", "0"}});
  asignaturasExportadas({{"MAT", "1ESO001", "ESO", "1"}});
  solucion({{"1", "1", "", "GPA", "ESO", "1", "MAT", "A", "101"},
            {"1", "2", "", "XYZ", "ESO", "1", "MAT", "A", "101"},
            {"1", "25", "", "GPA", "ESO", "1", "FIS", "A", "GIM"},
            {"0", "0", "", "XYZ", "", "", "", "", ""}});
  gc::Catalogo tablas;
  gc::CopiarDatosGC(tablas, kGC);
  tzv::OpcionesComprobacion opciones;
  opciones.carpetaGC = kGC;
  opciones.centro = "46001234";
  opciones.importacion = true;
  std::vector<std::string> donde;
  const std::vector<tzv::Problema> problemas = tzv::ComprobarDatos(tablas, opciones);
  for (const tzv::Problema& p : problemas)
    donde.push_back(p.tabla + " " + std::to_string(p.registro) + " " + p.campo + " " +
                    (p.detiene ? "detiene" : "sigue"));
  EXPECT_EQ(donde,
            (std::vector<std::string>{"lhortipo.dbf 2 HASTA sigue", "PROFT.DBF 2 DNI detiene",
                                      "SOLUC.DBF 2 PROF sigue", "SOLUC.DBF 3 HORA sigue",
                                      "SOLUC.DBF 3 ASIG sigue", "SOLUC.DBF 3 AULA sigue"}));
}

TEST(ComprobacionTest, JsonHoldsEveryFieldOfEachProblem) {
  tzv::Problema p{"asignat.dbf", 3, "CODASIG 1\"A", "HORSEMTE", "x5", true, "detiene", "cambie"};
  EXPECT_EQ(tzv::EnJson({p}),
            "[\n  {\"tabla\": \"asignat.dbf\", \"registro\": 3, \"clave\": \"CODASIG 1\\\"A\", "
            "\"campo\": \"HORSEMTE\", \"valor\": \"x5\", \"detiene\": true, \"efecto\": "
            "\"detiene\", \"consejo\": \"cambie\"}\n]\n");
  EXPECT_EQ(tzv::EnJson({}), "[]\n");
}

}  // namespace
