#include "ExportarAlumnos.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "Busquedas.h"
#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "Matriculas.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

constexpr int kMaxAsignaturas = 50;
constexpr std::size_t kNinguno = std::numeric_limits<std::size_t>::max();

std::vector<dbf::FieldDef> camposAlumnos() {
  std::vector<dbf::FieldDef> campos = {texto("EXPED", 20), texto("NOMBRE", 50), texto("TURNO", 1), texto("NIVEL", 5),
                                       texto("CURSO", 3),  texto("GRUPO", 2),   texto("OPCION", 1), logico("REPITE")};
  for (int n = 1; n <= kMaxAsignaturas; ++n) {
    campos.push_back({"ASIG" + std::to_string(n), dbf::FieldKind::String, 4});
    campos.push_back({"DIV" + std::to_string(n), dbf::FieldKind::String, 1});
  }
  return campos;
}

// The shift of a student: the first group record whose code is the student's group, or
// whose first four characters are the student's course code.
class Turnos {
 public:
  explicit Turnos(dbf::Table& grupos) {
    for (grupos.first(); !grupos.eof(); grupos.next()) {
      const std::string codgrup = grupos.asString("CODGRUP");
      const std::size_t i = turnos_.size();
      turnos_.push_back(grupos.asString("TURNO"));
      porGrupo_.try_emplace(codgrup, i);
      porCurso_.try_emplace(subcadena(codgrup, 1, 4), i);
    }
  }

  // Positions of the first group record of a group code and of a course code.
  std::size_t primeroDelGrupo(const std::string& codgrup) const {
    return buscar(porGrupo_, codgrup);
  }
  std::size_t primeroDelCurso(const std::string& codcur) const { return buscar(porCurso_, codcur); }
  std::string de(std::size_t delGrupo, std::size_t delCurso) const {
    const std::size_t primero = std::min(delGrupo, delCurso);
    return primero < turnos_.size() ? turnos_[primero] : std::string();
  }

 private:
  static std::size_t buscar(const MapaTextos<std::size_t>& m, const std::string& clave) {
    auto it = m.find(clave);
    return it == m.end() ? kNinguno : it->second;
  }

  std::vector<std::string> turnos_;
  MapaTextos<std::size_t> porGrupo_;
  MapaTextos<std::size_t> porCurso_;
};

// Subject code to abbreviation through the CODVALEN order of ASIGVALT: the first row of
// a code.
using Abreviaturas = MapaTextos<std::string>;

// What a student's group code gives: its parts and where its shift comes from.
struct DatosGrupo {
  CodigoGrupo codigo;
  std::size_t primeroDelGrupo = kNinguno;
  // The parts as ALUMNOST stores them, encoded at the group's first row.
  std::string nivel, curso, grupo;
};

// The fields of the GESCEN student table, found by name at the first student with a
// usable group, in the order in which the writer reads them.
struct CamposAlumno {
  const dbf::Field* codcur;
  const dbf::Field* codigo;
  const dbf::Field* apenom;
  const dbf::Field* repite;
  explicit CamposAlumno(const dbf::Table& alumnos)
      : codcur(&alumnos.campo("CODCUR")),
        codigo(&alumnos.campo("CODIGO")),
        apenom(&alumnos.campo("APENOM")),
        repite(&alumnos.campo("REPITE")) {}
};

// A student as read from the GESCEN table, before the row is written.
struct Alumno {
  std::string codigo, nombre, turno;
  DatosGrupo* grupo;
  bool repite;
};

// The students with a usable group, read before any row is written so that the
// enrolments can be read meanwhile. A read that fails ends the list; where it failed is
// kept, so that the writer fails at the same point of its rows.
struct LecturaAlumnos {
  std::vector<Alumno> alumnos;
  std::exception_ptr error;
  bool errorTrasAnadir = false;  // the failed read comes after the row was appended
};

void leerAlumnos(dbf::Table& tabla, const Turnos& turnos, std::deque<DatosGrupo>& grupos,
                 LecturaAlumnos& lectura) {
  tabla.first();
  if (tabla.eof()) return;
  const dbf::Field& codgrup = tabla.campo("CODGRUP");
  std::optional<CamposAlumno> campos;
  MemoCampo<DatosGrupo*> grupoDe(tabla, {"CODGRUP"});
  MemoCampo<std::size_t> cursoDe(tabla, {"CODCUR"});
  std::string texto;
  try {
    for (; !tabla.eof(); tabla.next()) {
      DatosGrupo* g = grupoDe.de([&] {
        tabla.asString(codgrup, texto);
        DatosGrupo& g = grupos.emplace_back();
        g.codigo = trocearGrupo(texto);
        g.primeroDelGrupo = turnos.primeroDelGrupo(texto);
        return &g;
      });
      if (!g->codigo.utilizable()) continue;
      if (!campos) campos.emplace(tabla);
      const std::size_t delCurso =
          cursoDe.de([&] { return turnos.primeroDelCurso(tabla.asString(*campos->codcur)); });
      lectura.errorTrasAnadir = true;
      Alumno a{tabla.asString(*campos->codigo), tabla.asString(*campos->apenom),
               turnos.de(g->primeroDelGrupo, delCurso), g, tabla.asInteger(*campos->repite) == 1};
      lectura.errorTrasAnadir = false;
      lectura.alumnos.push_back(std::move(a));
    }
  } catch (...) {
    lectura.error = std::current_exception();
  }
}

}  // namespace

void ExportarAlumnos(gc::Catalogo& tablas) {
  Matriculas matriculas(tablas.wwTableAsigAlum);
  ExportarAlumnos(tablas, matriculas);
}

void ExportarAlumnos(gc::Catalogo& tablas, Matriculas& matriculas) {
  dbf::Table alumnost;
  recrearIntercambio(alumnost, kALUMNOST, camposAlumnos());

  dbf::Table asigvalt;
  asigvalt.setTableName(rutaIntercambio(kASIGVALT));
  asigvalt.setIndexName("CODVALEN");
  asigvalt.open();
  Abreviaturas abreviaturas;
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next())
    abreviaturas.try_emplace(asigvalt.asString("CODVALEN"), asigvalt.asString("COD"));

  dbf::Table& grupos = tablas.wwTableGrupos;
  grupos.open();
  alumnost.open();
  dbf::Table& alumnos = tablas.wwTableAlumnos;
  alumnos.open();
  matriculas.abrir();
  const Turnos turnos(grupos);
  std::deque<DatosGrupo> datosGrupos;
  LecturaAlumnos lectura;
  leerAlumnos(alumnos, turnos, datosGrupos, lectura);

  std::vector<const dbf::Field*> asignaturas;  // ASIG1, ASIG2... as far as the table has them
  for (int n = 1; n <= kMaxAsignaturas; ++n)
    asignaturas.push_back(&alumnost.campo("ASIG" + std::to_string(n)));
  const dbf::Field& exped = alumnost.campo("EXPED");
  const dbf::Field& nombre = alumnost.campo("NOMBRE");
  const dbf::Field& turno = alumnost.campo("TURNO");
  const dbf::Field& nivel = alumnost.campo("NIVEL");
  const dbf::Field& curso = alumnost.campo("CURSO");
  const dbf::Field& grupo = alumnost.campo("GRUPO");
  const dbf::Field& opcion = alumnost.campo("OPCION");
  const dbf::Field& repite = alumnost.campo("REPITE");
  // Texts that many rows share are encoded once: each group's parts, each subject's
  // abbreviation (null for a subject without one) and the blank option.
  std::deque<std::string> abreviaturasAlmacenadas;
  std::vector<const std::string*> abreviaturaDe;
  const std::string sinOpcion = alumnost.storedText(opcion, "");
  std::string texto;
  for (const Alumno& a : lectura.alumnos) {
    DatosGrupo& g = *a.grupo;
    if (g.nivel.empty()) {
      g.nivel = alumnost.storedText(nivel, g.codigo.nivel);
      g.curso = alumnost.storedText(curso, g.codigo.curso);
      g.grupo = alumnost.storedText(grupo, g.codigo.grupo);
    }
    alumnost.append();
    alumnost.setString(exped, a.codigo);
    alumnost.setString(nombre, a.nombre);
    alumnost.setString(turno, a.turno);
    alumnost.setStored(nivel, g.nivel);
    alumnost.setStored(curso, g.curso);
    alumnost.setStored(grupo, g.grupo);
    alumnost.setStored(opcion, sinOpcion);
    alumnost.setBoolean(repite, a.repite);

    // Subjects in ASIGn; the DIVn fields stay blank.
    std::size_t n = 0;
    alumnost.asString(exped, texto);
    const std::span<const std::uint32_t> codigos = matriculas.de(texto);
    for (std::size_t c = abreviaturaDe.size(); c < matriculas.codigos().size(); ++c) {
      auto it = abreviaturas.find(matriculas.codigos()[c]);
      abreviaturaDe.push_back(it == abreviaturas.end()
                                  ? nullptr
                                  : &abreviaturasAlmacenadas.emplace_back(
                                        alumnost.storedText(*asignaturas.front(), it->second)));
    }
    for (std::uint32_t codigo : codigos) {
      const std::string* abreviatura = abreviaturaDe[codigo];
      if (abreviatura == nullptr) continue;
      // A 51st subject asks for a field the table lacks, which stops the export.
      if (n == kMaxAsignaturas) alumnost.campo("ASIG" + std::to_string(n + 1));
      alumnost.setStored(*asignaturas[n++], *abreviatura);
    }
  }
  if (lectura.error) {
    if (lectura.errorTrasAnadir) alumnost.append();
    std::rethrow_exception(lectura.error);
  }
  alumnos.close();
  matriculas.cerrar();
  grupos.close();
  if (alumnost.state() == dbf::TableState::Insert) alumnost.post();
  alumnost.close();
  asigvalt.close();
}

}  // namespace tzv
