#pragma once
// The rows of ALUMNOST.DBF made as bytes for its layout, every student's whole row with
// its subjects, from the open student table. When they cannot all be made, the writer
// goes through the students itself, and fails where that pass fails.

#include <cstddef>
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
  // Makes the rows from the student table (open), the shifts of the group table, the
  // enrolments and each subject code's abbreviation. Any failure on the way leaves the
  // rows incomplete: filasCompletas() is false, and nothing is raised here.
  Alumnado(dbf::Table& alumnos, const Turnos& turnos, const Matriculas& matriculas,
           const MapaTextos<std::string>& abreviaturas);
  Alumnado(const Alumnado&) = delete;
  Alumnado& operator=(const Alumnado&) = delete;

  // The layout the rows were made for: ALUMNOST's, as created.
  const dbf::Layout& formatoFilas() const { return formato_; }
  // Whether every student's row was made whole, subjects included; all of them, one
  // after the other.
  bool filasCompletas() const { return completas_; }
  std::string_view filas() const { return {filas_.get(), numFilas_ * formato_.recordLength}; }

 private:
  void hacerFilas();
  void completarFilas(const MapaTextos<std::string>& abreviaturas);

  dbf::Table& alumnos_;
  const Turnos& turnos_;
  const Matriculas& matriculas_;
  dbf::Layout formato_;
  // The rows, one after the other; each is written whole before it is read.
  std::unique_ptr<char[]> filas_;
  std::size_t numFilas_ = 0;
  bool completas_ = false;
};

}  // namespace tzv
