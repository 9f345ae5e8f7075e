#include "ExportarAlumnos.h"

#include <limits>
#include <unordered_map>
#include <vector>

#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

constexpr int kMaxAsignaturas = 50;

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

  std::string de(const std::string& codgrup, const std::string& codcur) const {
    std::size_t primero = std::numeric_limits<std::size_t>::max();
    if (auto g = porGrupo_.find(codgrup); g != porGrupo_.end()) primero = g->second;
    if (auto c = porCurso_.find(codcur); c != porCurso_.end()) primero = std::min(primero, c->second);
    return primero < turnos_.size() ? turnos_[primero] : std::string();
  }

 private:
  std::vector<std::string> turnos_;
  std::unordered_map<std::string, std::size_t> porGrupo_;
  std::unordered_map<std::string, std::size_t> porCurso_;
};

// The subjects each student takes, in the stored order of the enrolment table, read in
// one pass the first time they are needed.
class Matriculas {
 public:
  explicit Matriculas(dbf::Table& asigalum) : asigalum_(asigalum) {}

  const std::vector<std::string>& de(const std::string& exped) {
    if (!leidas_) leer();
    auto it = porAlumno_.find(exped);
    static const std::vector<std::string> ninguna;
    if (it == porAlumno_.end()) return ninguna;
    if (!tieneCodasig_) asigalum_.asString("CODASIG");  // raises the missing-field error
    return it->second;
  }

 private:
  void leer() {
    leidas_ = true;
    tieneCodasig_ = asigalum_.layout().find("CODASIG") >= 0;
    const dbf::Field& codigo = asigalum_.campo("Codigo");
    const dbf::Field* codasig = tieneCodasig_ ? &asigalum_.campo("CODASIG") : nullptr;
    for (asigalum_.first(); !asigalum_.eof(); asigalum_.next()) {
      auto& lista = porAlumno_[asigalum_.asString(codigo)];
      if (codasig != nullptr) lista.push_back(asigalum_.asString(*codasig));
    }
  }

  dbf::Table& asigalum_;
  bool leidas_ = false;
  bool tieneCodasig_ = true;
  std::unordered_map<std::string, std::vector<std::string>> porAlumno_;
};

}  // namespace

void ExportarAlumnos(gc::Catalogo& tablas) {
  dbf::Table alumnost;
  recrearIntercambio(alumnost, kALUMNOST, camposAlumnos());

  // Subject code to abbreviation through the CODVALEN order: the first row of a code.
  dbf::Table asigvalt;
  asigvalt.setTableName(rutaIntercambio(kASIGVALT));
  asigvalt.setIndexName("CODVALEN");
  asigvalt.open();
  std::unordered_map<std::string, std::string> abreviaturas;
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
  Matriculas matriculas(asigalum);
  std::vector<const dbf::Field*> pares;  // ASIG1, DIV1, ASIG2... as far as the table has them
  for (int n = 1; n <= kMaxAsignaturas; ++n) {
    pares.push_back(&alumnost.campo("ASIG" + std::to_string(n)));
    pares.push_back(&alumnost.campo("DIV" + std::to_string(n)));
  }

  for (alumnos.first(); !alumnos.eof(); alumnos.next()) {
    const std::string codgrup = alumnos.asString("CODGRUP");
    const CodigoGrupo g = trocearGrupo(codgrup);
    if (!g.utilizable()) continue;
    const std::string turno = turnos.de(codgrup, alumnos.asString("CODCUR"));
    alumnost.append();
    alumnost.setString("EXPED", alumnos.asString("CODIGO"));
    alumnost.setString("NOMBRE", alumnos.asString("APENOM"));
    alumnost.setString("TURNO", turno);
    alumnost.setString("NIVEL", g.nivel);
    alumnost.setString("CURSO", g.curso);
    alumnost.setString("GRUPO", g.grupo);
    alumnost.setString("OPCION", "");
    alumnost.setBoolean("REPITE", alumnos.asInteger("REPITE") == 1);

    std::size_t n = 0;
    for (const std::string& codasig : matriculas.de(alumnost.asString("EXPED"))) {
      auto a = abreviaturas.find(codasig);
      if (a == abreviaturas.end()) continue;
      // A 51st subject asks for a field the table lacks, which stops the export.
      if (n == kMaxAsignaturas) alumnost.setString("ASIG" + std::to_string(n + 1), a->second);
      alumnost.setString(*pares[2 * n], a->second);
      alumnost.setString(*pares[2 * n + 1], "");
      ++n;
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
