#pragma once
// The GESCEN students, read for the student writer in a second thread from the start of
// the export run, with the group table that gives their shifts; the start of each
// student's row is made there too. Nothing of it shows until the writer asks: each
// table's opening error, and any error of the reading, is raised where a plain pass of
// the writer would raise it.

#include <cstddef>
#include <deque>
#include <exception>
#include <future>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Busquedas.h"
#include "CodigoGrupo.h"
#include "DbfLayout.h"
#include "SegundoPlano.h"
#include "Table.h"

namespace tzv {

constexpr std::size_t kNinguno = std::numeric_limits<std::size_t>::max();

// The shift of a student: the first group record whose code is the student's group, or
// whose first four characters are the student's course code.
class Turnos {
 public:
  explicit Turnos(dbf::Table& grupos);

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

// What a student's group code gives: its parts and where its shift comes from.
struct DatosGrupo {
  CodigoGrupo codigo;
  std::size_t primeroDelGrupo = kNinguno;
};

// A student as read from the GESCEN table, before the row is written.
struct Alumno {
  std::string codigo, nombre, turno;
  const DatosGrupo* grupo;
  bool repite;
  // What EXPED reads back as from the start of the student's row (Alumnado::inicioFila).
  std::string exped;
};

// The fields of ALUMNOST.DBF, in order: the student's, then the pairs ASIGn, DIVn.
constexpr int kMaxAsignaturasAlumno = 50;
std::vector<dbf::FieldDef> camposAlumnost();

// ASIGVALT.DBF opened by its full path, in the order of its CODVALEN index, and each
// subject code's abbreviation read from it: the first row of a code in that order.
void abrirPorCodvalen(dbf::Table& asigvalt);
MapaTextos<std::string> abreviaturasDe(dbf::Table& asigvalt);

// The students with a usable group, in table order. A read that fails ends the list;
// where it failed is kept, so that the writer fails at the same point of its rows.
struct LecturaAlumnos {
  std::vector<Alumno> alumnos;
  std::exception_ptr error;
  bool errorTrasAnadir = false;  // the failed read comes after the row was appended
};

class Matriculas;

class Alumnado {
 public:
  // Starts opening and reading the group and student tables in the background. Once the
  // enrolments are read and the run tells that ASIGVALT.DBF is written, the subjects of
  // each row are filled in as well.
  Alumnado(dbf::Table& grupos, dbf::Table& alumnos, const Matriculas& matriculas);
  // Waits for the reading; closes both tables, as the writer does, when the run ended
  // before the writer got to them.
  ~Alumnado();
  Alumnado(const Alumnado&) = delete;
  Alumnado& operator=(const Alumnado&) = delete;

  // ASIGVALT.DBF is written and closed: the subject abbreviations can be read.
  void asignaturasEscritas();

  // Where the writer opens each table: raises that opening's error, if any.
  void abrirGrupos();
  void abrirAlumnos();
  // Where the writer reads the group table and then the students: raises the group
  // table's error, if any, and gives what was read of the students.
  LecturaAlumnos& lectura();
  // The layout the start of each row was made for: ALUMNOST's, as created.
  const dbf::Layout& formatoFilas() const { return formato_; }
  // The start of the row of the i-th student read: its fields EXPED to REPITE.
  std::string_view inicioFila(std::size_t i) const {
    return {filas_.get() + i * formato_.recordLength, largoInicio_};
  }
  // Whether every row was made whole, subjects included; all of them, one after the other.
  bool filasCompletas() const { return completas_; }
  std::string_view filas() const {
    return {filas_.get(), lectura_.alumnos.size() * formato_.recordLength};
  }

 private:
  void leer();
  void prepararFilas();
  void completarFilas();

  dbf::Table& grupos_;
  dbf::Table& alumnos_;
  const Matriculas& matriculas_;
  Aviso asignaturas_;  // given once ASIGVALT is written
  std::shared_future<void> hecho_;
  std::exception_ptr errorGrupos_, errorAlumnos_, errorTurnos_;
  std::deque<DatosGrupo> datosGrupos_;  // where each group code's data stays
  LecturaAlumnos lectura_;
  dbf::Layout formato_;
  std::size_t largoInicio_ = 0;
  // The rows, one after the other; each is written whole before it is read.
  std::unique_ptr<char[]> filas_;
  bool completas_ = false;
};

}  // namespace tzv
