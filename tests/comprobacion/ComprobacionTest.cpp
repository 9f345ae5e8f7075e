// The check of a school's data: a small school, damaged one way at a time (and several
// ways at once), against the lines the check must give and whether a run would stop.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>

#include "dbf/Table.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "plat/WinPath.h"
#include "procesos/comprobacion/Comprobacion.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"
#include "tests/import/Centro.h"
#include "tests/support/EscuelaMinima.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/RawDbf.h"

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
  std::fstream archivo(plat::toNative(ruta(tabla)),
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

// Cuts `bytes` from the end of a table's file, as a copy cut short leaves it.
void cortar(const std::string& tabla, std::size_t bytes) {
  const std::string archivo = plat::toNative(ruta(tabla));
  std::filesystem::resize_file(archivo, std::filesystem::file_size(archivo) - bytes);
}

std::vector<std::string> lineas(const std::vector<procesos::Problema>& problemas) {
  std::vector<std::string> out;
  for (const procesos::Problema& p : problemas) out.push_back(procesos::enTexto(p));
  return out;
}

struct Caso {
  const char* nombre;
  std::function<void()> danar;
  std::vector<std::string> esperadas;
  bool detiene;
};

std::vector<procesos::Problema> comprobar() {
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, kGC);
  procesos::OpcionesComprobacion opciones;
  opciones.carpetaGC = kGC;
  return procesos::comprobarDatos(tablas, opciones);
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
       [] { std::filesystem::remove(plat::toNative(ruta("OCUPA.dbf"))); },
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
      {"a table cut to its header",
       [] { cortar("asigalum.dbf", 1 + 19); },  // the end mark and the only record
       {"asigalum.dbf | tabla | - | - | - | detiene la exportación: wwTableAsigAlum: El archivo "
        "C:\\ZORVTMP\\VALENCIA\\asigalum.DBF está incompleto: su cabecera anuncia 1 registros y "
        "solo contiene 0 | La tabla está dañada: repárela o recupérela desde GESCEN."},
       true},
      {"a table whose last record is half written",
       [] { cortar("profesor.dbf", 1 + 60); },
       {"profesor.dbf | tabla | - | - | - | detiene la exportación: wwTableProfesor: El archivo "
        "C:\\ZORVTMP\\VALENCIA\\profesor.DBF está incompleto: su cabecera anuncia 1 registros "
        "y solo contiene 0 | La tabla está dañada: repárela o recupérela desde GESCEN."},
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
    prueba::escribirEscuela(kGC);
    c.danar();
    const std::vector<procesos::Problema> problemas = comprobar();
    EXPECT_EQ(lineas(problemas), c.esperadas);
    EXPECT_EQ(procesos::algunoDetiene(problemas), c.detiene);
    // The export itself stops, or not, with the first stopping problem's error.
    std::string error;
    try {
      gescen::Catalogo tablas;
      gescen::CopiarDatosGC(tablas, kGC);
      procesos::escribirTablasIntercambio(tablas, "VALENCIÁ");
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
  prueba::escribirEscuela(kGC);
  anadir("alumnos.dbf", {{"CODIGO", "2"}, {"CODGRUP", "1ESOA"}});
  escribirAlmacenado("alumnos.dbf", 2, "REPITE", "si");
  escribirAlmacenado("alumnos.dbf", 1, "REPITE", "no");
  escribirAlmacenado("asignat.dbf", 1, "HORSEMTE", "x5");
  escribirAlmacenado("profesor.dbf", 1, "FBAJA", "20241399");
  escribirAlmacenado("horgrup.dbf", 1, "DNI", "?");
  std::vector<std::string> donde;
  for (const procesos::Problema& p : comprobar())
    donde.push_back(p.tabla + " " + std::to_string(p.registro) + " " + p.campo);
  EXPECT_EQ(donde, (std::vector<std::string>{"asignat.dbf 1 HORSEMTE", "profesor.dbf 1 FBAJA",
                                             "alumnos.dbf 1 REPITE", "alumnos.dbf 2 REPITE",
                                             "horgrup.dbf 1 DNI"}));
}

// What `comprobar --importacion` finds in the school of kGC, centre 46001234.
std::vector<procesos::Problema> comprobarImportacion() {
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, kGC);
  procesos::OpcionesComprobacion opciones;
  opciones.carpetaGC = kGC;
  opciones.centro = "46001234";
  opciones.importacion = true;
  return procesos::comprobarDatos(tablas, opciones);
}

// With a solution to import: the teachers without a DNI, and the solution's rows whose
// codes the exchange tables do not know or whose period has no times.
TEST(ComprobacionTest, TheSolutionsRowsAreCheckedAgainstTheExchangeTables) {
  TempDrive drive;
  prueba::escribirEscuela(kGC);
  horariosGescen();
  centroYPeriodos({{"46001234", "1", "08:00", "08:55"}, {"46001234", "2", "08:55", ""}});
  profesoresExportados(
      {{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"}, {"SIN", "SIN DNI, UNO", "MATES", "0"}});
  asignaturasExportadas({{"MAT", "1ESO001", "ESO", "1"}});
  solucion({{"1", "1", "", "GPA", "ESO", "1", "MAT", "A", "101"},
            {"1", "2", "", "XYZ", "ESO", "1", "MAT", "A", "101"},
            {"1", "25", "", "GPA", "ESO", "1", "FIS", "A", "GIM"},
            {"0", "0", "", "XYZ", "", "", "", "", ""}});
  std::vector<std::string> donde;
  for (const procesos::Problema& p : comprobarImportacion())
    donde.push_back(p.tabla + " " + std::to_string(p.registro) + " " + p.campo + " " +
                    (p.detiene ? "detiene" : "sigue"));
  EXPECT_EQ(donde,
            (std::vector<std::string>{"lhortipo.dbf 2 HASTA sigue", "PROFT.DBF 2 DNI detiene",
                                      "SOLUC.DBF 2 PROF sigue", "SOLUC.DBF 3 HORA sigue",
                                      "SOLUC.DBF 3 ASIG sigue", "SOLUC.DBF 3 AULA sigue"}));
}

// A school with a solution that imports whole: GESCEN's timetables, the centre's
// periods, the exchange tables, and two lessons, the second without a group.
void escuelaConSolucion() {
  prueba::escribirEscuela(kGC);
  horariosGescen();
  centroYPeriodos({{"46001234", "1", "08:00", "08:55"}, {"46001234", "2", "08:55", "09:50"}});
  profesoresExportados({{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"}});
  asignaturasExportadas({{"MAT", "1ESO001", "ESO", "1"}});
  solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"},
            {"2", "12", "*G", "GPA", "", "", "", "", ""}});
}

// The check's lines for a table, the problems of the import as `comprobar --importacion`
// gives them.
std::vector<std::string> lineasDe(const std::vector<procesos::Problema>& problemas,
                                  const std::set<std::string>& tablas) {
  std::vector<procesos::Problema> suyos;
  for (const procesos::Problema& p : problemas)
    if (tablas.count(p.tabla)) suyos.push_back(p);
  return lineas(suyos);
}

// What the import stops with; empty when it completes.
std::string errorAlImportar() {
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, kGC);
  procesos::EstadoPrograma estado;
  UsuarioImportacion ui;
  try {
    procesos::ejecutarImportacion(tablas, kGC, "46001234", estado, ui);
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

// The solution's own problems, found as the import finds them before it writes: the
// check lists them instead of its lessons, and the import stops with the same texts.
TEST(ComprobacionTest, TheSolutionIsCheckedAsTheImportChecksIt) {
  const std::string danado =
      " | Genere de nuevo el horario en Zorvex: SOLUC.DBF está dañado o no es el que Zorvex "
      "escribe.";
  // Where the solution lies in each case's drive.
  auto soluc = [] { return plat::toNative("C:\\ZORVTMP\\SOLUC.DBF"); };
  const Caso casos[] = {
      {"a period in a logical field",
       [&] { patchFieldDescriptor(soluc(), "HORA", [](std::string& d) { d[11] = 'L'; }); },
       {"SOLUC.DBF | tabla | - | HORA | \"L 11\" | detiene la importación: el campo HORA es de "
        "tipo L y ancho 11, y la importación lo lee como número entero: necesita un campo "
        "numérico (tipo N o F) o de caracteres (C)" +
        danado},
       true},
      {"a missing level",
       [&] {
         patchFieldDescriptor(soluc(), "NIVEL", [](std::string& d) { d.replace(0, 5, "LEVEL"); });
       },
       {"SOLUC.DBF | tabla | - | NIVEL | \"\" | detiene la importación: falta el campo NIVEL, que "
        "la importación lee como texto" +
        danado},
       true},
      {"cut inside its second record",
       [&] { std::filesystem::resize_file(soluc(), std::filesystem::file_size(soluc()) - 1 - 20); },
       {"SOLUC.DBF | tabla | - | - | - | detiene la importación: El archivo C:\\ZORVTMP\\SOLUC.DBF "
        "está incompleto: su cabecera anuncia 2 registros y solo contiene 1." +
        danado},
       true},
      {"no lesson on a day",
       [] {
         solucion({{"0", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"}});
       },
       {"SOLUC.DBF | tabla | - | - | - | detiene la importación: El archivo C:\\ZORVTMP\\SOLUC.DBF "
        "no contiene ningún horario. | Genere el horario en Zorvex: SOLUC.DBF no tiene ninguna "
        "clase con día."},
       true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TempDrive drive;
    escuelaConSolucion();
    c.danar();
    const std::vector<procesos::Problema> problemas = comprobarImportacion();
    EXPECT_EQ(lineasDe(problemas, {"SOLUC.DBF"}), c.esperadas);
    const std::string error = errorAlImportar();
    const auto suyo =
        std::find_if(problemas.begin(), problemas.end(),
                     [](const procesos::Problema& p) { return p.tabla == "SOLUC.DBF"; });
    ASSERT_NE(suyo, problemas.end());
    const std::string propio = suyo->efecto.substr(std::string("detiene la importación: ").size());
    EXPECT_NE(error.find(propio), std::string::npos) << error;
  }
}

// Values the import would store that the staged timetables' fields cannot hold: the
// check lists each with the error the import stops with at that row, and the import
// indeed stops with the first of them.
TEST(ComprobacionTest, ValuesTheTimetablesCannotHoldStopTheImport) {
  auto horprof = [](std::vector<RawField> campos) {
    RawDbf raw;
    raw.fields = std::move(campos);
    writeFile(plat::toNative(ruta("horprof.dbf")), raw.bytes());
  };
  const std::vector<RawField> normal = {
      {"CODCEN", 'N', 11}, {"DNI", 'N', 11},  {"DIASEM", 'N', 11}, {"NUMHORA", 'N', 11},
      {"HORAD", 'C', 5},   {"HORAH", 'C', 5}, {"OCUPA", 'C', 4}};
  auto con = [&](const char* campo, RawField nuevo) {
    std::vector<RawField> campos = normal;
    for (RawField& f : campos)
      if (f.name == campo) f = nuevo;
    return campos;
  };
  const std::string viene = "detiene la importación: ";
  const Caso casos[] = {
      {"a centre code wider than horprof's CODCEN",
       [&] {
         horprof(con("CODCEN", {"CODCEN", 'N', 7}));
       },
       {"horprof.dbf | tabla | - | CODCEN | \"46001234\" | " + viene +
        "wwTableHorProf: El valor '46001234' no cabe en el campo 'CODCEN' "
        "(C:\\ZORVTMP\\VALENCIA\\horprof.DBF, registro 1) | El código del centro no cabe en este "
        "campo de la tabla de GESCEN: compruebe el código del centro elegido y la versión de "
        "GESCEN."},
       true},
      {"a period wider than horprof's NUMHORA, in the second row",
       [&] {
         horprof(con("NUMHORA", {"NUMHORA", 'N', 1}));
       },
       {"horprof.dbf | tabla | - | NUMHORA | \"12\" | " + viene +
        "wwTableHorProf: El valor '12' no cabe en el campo 'NUMHORA' "
        "(C:\\ZORVTMP\\VALENCIA\\horprof.DBF, registro 2) | El valor sale de HORA en el registro "
        "2 de SOLUC.DBF: revise el horario en Zorvex."},
       true},
      {"a start time into a number field",
       [&] {
         horprof(con("HORAD", {"HORAD", 'N', 5}));
       },
       {"horprof.dbf | tabla | - | HORAD | \"08:00\" | " + viene +
        "wwTableHorProf: '08:00' no es un valor entero válido "
        "(C:\\ZORVTMP\\VALENCIA\\horprof.DBF, registro 1) | Es una hora del periodo lectivo 1 del "
        "centro: revísela en GESCEN (lhortipo) o en el control de la plantilla."},
       true},
      {"a teacher's number wider than horgrup's DNI",
       [] {
         RawDbf raw;
         raw.fields = {{"CODCEN", 'N', 11},   {"CODGRUP", 'C', 5},   {"CODASIG", 'C', 8},
                       {"DNI", 'N', 4},       {"DIASEM", 'N', 11},   {"NUMHORA", 'N', 11},
                       {"HORDIADES", 'C', 5}, {"HORDIAHAS", 'C', 5}, {"CODAULA", 'N', 11}};
         writeFile(plat::toNative(ruta("horgrup.dbf")), raw.bytes());
       },
       {"horgrup.dbf | tabla | - | DNI | \"11111111\" | " + viene +
        "wwTableHorGrup: El valor '11111111' no cabe en el campo 'DNI' "
        "(C:\\ZORVTMP\\VALENCIA\\horgrup.DBF, registro 1) | Es el DNI del profesor GPA en "
        "PROFT.DBF: "
        "revíselo en GESCEN o en el control de profesores."},
       true},
      {"GESCEN's teacher timetable cut short, which the import empties",
       [] { cortar("horprof.dbf", 1 + 20); },
       {},
       false},
      {"a centre code that a text field cuts, as the import stores it",
       [&] {
         horprof(con("CODCEN", {"CODCEN", 'C', 7}));
       },
       {},
       false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TempDrive drive;
    escuelaConSolucion();
    c.danar();
    const std::vector<procesos::Problema> problemas = comprobarImportacion();
    EXPECT_EQ(lineasDe(problemas, {"horprof.dbf", "horgrup.dbf"}), c.esperadas);
    EXPECT_EQ(procesos::algunoDetiene(problemas), c.detiene);
    const std::string error = errorAlImportar();
    EXPECT_EQ(error, c.detiene ? problemas.front().efecto.substr(viene.size()) : "");
  }
}

TEST(ComprobacionTest, JsonHoldsEveryFieldOfEachProblem) {
  procesos::Problema p{"asignat.dbf", 3,    "CODASIG 1\"A", "HORSEMTE",
                       "x5",          true, "detiene",      "cambie"};
  EXPECT_EQ(procesos::enJson({p}),
            "[\n  {\"tabla\": \"asignat.dbf\", \"registro\": 3, \"clave\": \"CODASIG 1\\\"A\", "
            "\"campo\": \"HORSEMTE\", \"valor\": \"x5\", \"detiene\": true, \"efecto\": "
            "\"detiene\", \"consejo\": \"cambie\"}\n]\n");
  EXPECT_EQ(procesos::enJson({}), "[]\n");
}

}  // namespace
