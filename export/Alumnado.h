#pragma once
// The rows of ALUMNOST.DBF made as bytes for its layout, each student's whole row with
// its subjects, in the order and with the failures of a pass that writes the students
// one at a time: the rows before a failing student are kept, and the failure is raised
// by the writer after storing them.

#include <cstddef>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Busquedas.h"
#include "DbfLayout.h"
#include "Table.h"

namespace tzv {

constexpr std::size_t kNinguno = std::numeric_limits<std::size_t>::max();

// The shift of a student: the first group record whose code is the student's group, or
// whose first four characters are the student's course code.
class Turnos {
 public:
  explicit Turnos(dbf::Table& grupos);

  // Positions of the first group record of a group code and of a course code.
  std::size_t primeroDelGrupo(std::string_view codgrup) const { return buscar(porGrupo_, codgrup); }
  std::size_t primeroDelCurso(std::string_view codcur) const { return buscar(porCurso_, codcur); }
  const std::string& de(std::size_t delGrupo, std::size_t delCurso) const {
    static const std::string ninguno;
    const std::size_t primero = std::min(delGrupo, delCurso);
    return primero < turnos_.size() ? turnos_[primero] : ninguno;
  }

 private:
  static std::size_t buscar(const MapaTextos<std::size_t>& m, std::string_view clave) {
    auto it = m.find(clave);
    return it == m.end() ? kNinguno : it->second;
  }

  std::vector<std::string> turnos_;
  MapaTextos<std::size_t> porGrupo_;
  MapaTextos<std::size_t> porCurso_;
};

// The fields of the GESCEN student table that a row takes, found by name at the first
// student with a usable group.
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

// The fields of ALUMNOST.DBF, in order: the student's, then the pairs ASIGn, DIVn.
constexpr int kMaxAsignaturasAlumno = 50;
std::vector<dbf::FieldDef> camposAlumnost();

// ASIGVALT.DBF opened by its full path, in the order of its CODVALEN index, and each
// subject code's abbreviation read from it: the first row of a code in that order.
void abrirPorCodvalen(dbf::Table& asigvalt);
MapaTextos<std::string> abreviaturasDe(dbf::Table& asigvalt);

class Matriculas;

class Alumnado {
 public:
  // Makes the rows for `formato` (ALUMNOST's, as created) from the open student table,
  // the shifts of the group table, the enrolments and each subject code's abbreviation.
  Alumnado(dbf::Table& alumnos, const dbf::Layout& formato, const Turnos& turnos,
           const Matriculas& matriculas, const MapaTextos<std::string>& abreviaturas);
  Alumnado(const Alumnado&) = delete;
  Alumnado& operator=(const Alumnado&) = delete;

  // The rows of the students before the first that fails, one after the other.
  std::string_view filas() const { return {filas_.get(), filasBuenas_ * formato_.recordLength}; }
  // Why the next student fails: an error to raise, or a 51st subject, for which the
  // writer asks ALUMNOST for the field ASIG51 that it lacks. Neither when none fails.
  std::exception_ptr error() const { return error_; }
  bool demasiadasAsignaturas() const { return demasiadas_; }

 private:
  void hacerFilas();
  void completarFilas(const MapaTextos<std::string>& abreviaturas);
  void fallarEn(std::size_t fila, std::exception_ptr error);

  dbf::Table& alumnos_;
  const dbf::Layout& formato_;
  const Turnos& turnos_;
  const Matriculas& matriculas_;
  // The rows, one after the other; each is written whole before it is read.
  std::unique_ptr<char[]> filas_;
  std::size_t numFilas_ = 0;     // rows made up to their subjects
  std::size_t filasBuenas_ = 0;  // rows made whole, before the first failure
  std::exception_ptr error_;
  bool demasiadas_ = false;
  bool fallo_ = false;
};

}  // namespace tzv
