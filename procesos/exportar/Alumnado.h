#pragma once
// The rows of ALUMNOST.DBF, made as bytes for its layout, one student at a time: the
// row up to REPITE from the student's record, then its subjects from the enrolments.
// They are appended in batches. The first student that fails stops the writer there,
// with the rows before it stored, as a pass through the table's field writers would.

#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/DbfLayout.h"
#include "dbf/Table.h"
#include "gescen/Busquedas.h"

namespace procesos {

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
  static std::size_t buscar(const gescen::MapaTextos<std::size_t>& m, std::string_view clave) {
    auto it = m.find(clave);
    return it == m.end() ? kNinguno : it->second;
  }

  std::vector<std::string> turnos_;
  gescen::MapaTextos<std::size_t> porGrupo_;
  gescen::MapaTextos<std::size_t> porCurso_;
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
gescen::MapaTextos<std::string> abreviaturasDe(dbf::Table& asigvalt);

class Matriculas;

class FilasAlumnos {
 public:
  // For ALUMNOST's layout (`formato`), the shifts of the group table, the enrolments and
  // each subject code's abbreviation.
  FilasAlumnos(const dbf::Layout& formato, const Turnos& turnos, const Matriculas& matriculas,
               const gescen::MapaTextos<std::string>& abreviaturas);
  ~FilasAlumnos();
  FilasAlumnos(const FilasAlumnos&) = delete;
  FilasAlumnos& operator=(const FilasAlumnos&) = delete;

  // A row for each student of `alumnos` (open) with a usable group, appended to
  // `alumnost`. A failing student raises its error after the rows before it are stored.
  void escribir(dbf::Table& alumnos, dbf::Table& alumnost);

 private:
  struct Base;
  struct Asignaturas;

  // The row up to REPITE; false for a student without a usable group, who has none.
  bool hacerFila(dbf::Table& alumnos, const char* registro, char* fila);
  // The subjects of a row, found by what its EXPED reads back as; a failure is raised
  // through `alumnost`, after what was made before the row is stored.
  void ponerAsignaturas(char* fila, dbf::Table& alumnost);
  void volcar(dbf::Table& alumnost);

  const dbf::Layout& formato_;
  const Turnos& turnos_;
  const Matriculas& matriculas_;
  std::unique_ptr<Base> base_;
  std::unique_ptr<Asignaturas> asignaturas_;
  std::string lote_;             // rows made and not yet stored
  std::uint32_t siguiente_ = 0;  // the enrolments' memory of the last student found
};

}  // namespace procesos
