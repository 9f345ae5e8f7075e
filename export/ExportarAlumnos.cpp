#include "ExportarAlumnos.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "Busquedas.h"
#include "Catalogo.h"
#include "CodigoGrupo.h"
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
  std::size_t primeroDelGrupo(const std::string& codgrup) const { return buscar(porGrupo_, codgrup); }
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

// The abbreviations of the subjects each student takes, in the stored order of the
// enrolment table, read in one pass the first time they are needed. Enrolments whose
// subject has no abbreviation are left out here, as the writer would skip them.
class Matriculas {
 public:
  Matriculas(dbf::Table& asigalum, const Abreviaturas& abreviaturas)
      : asigalum_(asigalum), abreviaturas_(abreviaturas) {}

  std::span<const std::string> de(const std::string& exped) {
    if (!leidas_) leer();
    auto it = porAlumno_.find(exped);
    if (it == porAlumno_.end()) return {};
    if (!tieneCodasig_) asigalum_.asString("CODASIG");  // raises the missing-field error
    const std::uint32_t a = it->second;
    return {abreviaturasEnOrden_.data() + inicio_[a], abreviaturasEnOrden_.data() + inicio_[a + 1]};
  }

 private:
  void leer() {
    leidas_ = true;
    tieneCodasig_ = asigalum_.layout().find("CODASIG") >= 0;
    const dbf::Field& codigo = asigalum_.campo("Codigo");
    const dbf::Field* codasig = tieneCodasig_ ? &asigalum_.campo("CODASIG") : nullptr;
    // Each row's student (numbered in order of appearance) and abbreviation (its place
    // in abreviaturas_).
    std::vector<std::uint32_t> alumnoDeFila;
    std::vector<std::uint32_t> abreviaturaDeFila;
    constexpr std::uint32_t kSinAbreviatura = std::numeric_limits<std::uint32_t>::max();
    std::optional<MemoCampo<std::uint32_t>> abreviaturaDe;
    if (codasig != nullptr) abreviaturaDe.emplace(asigalum_, *codasig);
    std::string texto, anterior;
    std::uint32_t alumno = 0;
    bool primera = true;
    asigalum_.forEachRecord([&](const char* registro) {
      // The rows of one student usually follow each other: the code is read and looked
      // up only when its stored bytes change.
      const std::string_view bytes = dbf::fieldBytes(registro, codigo);
      if (primera || !MismosBytes()(bytes, anterior)) {
        anterior.assign(bytes);
        asigalum_.asString(codigo, texto);
        alumno = porAlumno_.try_emplace(texto, static_cast<std::uint32_t>(porAlumno_.size())).first->second;
        primera = false;
      }
      if (!abreviaturaDe) return;
      const std::uint32_t abreviatura = abreviaturaDe->de(registro, [&] {
        auto a = abreviaturas_.find(asigalum_.asString(*codasig));
        if (a == abreviaturas_.end()) return kSinAbreviatura;
        abreviaturasUsadas_.push_back(a->second);
        return static_cast<std::uint32_t>(abreviaturasUsadas_.size() - 1);
      });
      if (abreviatura == kSinAbreviatura) return;
      alumnoDeFila.push_back(alumno);
      abreviaturaDeFila.push_back(abreviatura);
    });
    // Grouped by student, stored order kept within each: a counting sort.
    inicio_.assign(porAlumno_.size() + 1, 0);
    for (std::uint32_t a : alumnoDeFila) ++inicio_[a + 1];
    for (std::size_t i = 1; i < inicio_.size(); ++i) inicio_[i] += inicio_[i - 1];
    std::vector<std::uint32_t> siguiente(inicio_.begin(), inicio_.end() - 1);
    abreviaturasEnOrden_.resize(alumnoDeFila.size());
    for (std::size_t i = 0; i < alumnoDeFila.size(); ++i)
      abreviaturasEnOrden_[siguiente[alumnoDeFila[i]]++] = abreviaturasUsadas_[abreviaturaDeFila[i]];
  }

  dbf::Table& asigalum_;
  const Abreviaturas& abreviaturas_;
  bool leidas_ = false;
  bool tieneCodasig_ = true;
  MapaTextos<std::uint32_t> porAlumno_;
  std::vector<std::string> abreviaturasUsadas_;   // each distinct stored subject code's
  std::vector<std::uint32_t> inicio_;             // per student, into abreviaturasEnOrden_
  std::vector<std::string> abreviaturasEnOrden_;
};

// What a student's group code gives: its parts and where its shift comes from.
struct DatosGrupo {
  CodigoGrupo codigo;
  std::size_t primeroDelGrupo = kNinguno;
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

}  // namespace

void ExportarAlumnos(gc::Catalogo& tablas) {
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
  dbf::Table& asigalum = tablas.wwTableAsigAlum;
  asigalum.open();
  const Turnos turnos(grupos);
  Matriculas matriculas(asigalum, abreviaturas);
  std::vector<const dbf::Field*> asignaturas;  // ASIG1, ASIG2... as far as the table has them
  for (int n = 1; n <= kMaxAsignaturas; ++n) asignaturas.push_back(&alumnost.campo("ASIG" + std::to_string(n)));
  const dbf::Field& exped = alumnost.campo("EXPED");
  const dbf::Field& nombre = alumnost.campo("NOMBRE");
  const dbf::Field& turno = alumnost.campo("TURNO");
  const dbf::Field& nivel = alumnost.campo("NIVEL");
  const dbf::Field& curso = alumnost.campo("CURSO");
  const dbf::Field& grupo = alumnost.campo("GRUPO");
  const dbf::Field& opcion = alumnost.campo("OPCION");
  const dbf::Field& repite = alumnost.campo("REPITE");

  alumnos.first();
  if (!alumnos.eof()) {
    const dbf::Field& codgrup = alumnos.campo("CODGRUP");
    std::optional<CamposAlumno> campos;
    MemoCampo<DatosGrupo> grupoDe(alumnos, codgrup);
    std::optional<MemoCampo<std::size_t>> cursoDe;
    std::string texto;
    for (; !alumnos.eof(); alumnos.next()) {
      const DatosGrupo& g = grupoDe.de([&] {
        alumnos.asString(codgrup, texto);
        return DatosGrupo{trocearGrupo(texto), turnos.primeroDelGrupo(texto)};
      });
      if (!g.codigo.utilizable()) continue;
      if (!campos) {
        campos.emplace(alumnos);
        cursoDe.emplace(alumnos, *campos->codcur);
      }
      const std::size_t delCurso = cursoDe->de([&] { return turnos.primeroDelCurso(alumnos.asString(*campos->codcur)); });
      alumnost.append();
      alumnos.asString(*campos->codigo, texto);
      alumnost.setString(exped, texto);
      alumnos.asString(*campos->apenom, texto);
      alumnost.setString(nombre, texto);
      alumnost.setString(turno, turnos.de(g.primeroDelGrupo, delCurso));
      alumnost.setString(nivel, g.codigo.nivel);
      alumnost.setString(curso, g.codigo.curso);
      alumnost.setString(grupo, g.codigo.grupo);
      alumnost.setString(opcion, "");
      alumnost.setBoolean(repite, alumnos.asInteger(*campos->repite) == 1);

      // Subjects in ASIGn; the DIVn fields stay blank.
      std::size_t n = 0;
      alumnost.asString(exped, texto);
      for (const std::string& abreviatura : matriculas.de(texto)) {
        // A 51st subject asks for a field the table lacks, which stops the export.
        if (n == kMaxAsignaturas) alumnost.setString("ASIG" + std::to_string(n + 1), abreviatura);
        alumnost.setString(*asignaturas[n++], abreviatura);
      }
    }
  }
  alumnos.close();
  asigalum.close();
  grupos.close();
  if (alumnost.state() == dbf::TableState::Insert) alumnost.post();
  alumnost.close();
  asigvalt.close();
}

}  // namespace tzv
