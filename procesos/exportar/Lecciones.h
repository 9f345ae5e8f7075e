#pragma once
// The GESCEN group timetable (horgrup), read for the teaching-assignment writer: each
// lesson as the numbers of its group, subject and teacher codes, each distinct code
// worked out once.

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "dbf/Table.h"
#include "gescen/CodigoGrupo.h"

namespace procesos {

class Lecciones {
 public:
  struct Leccion {
    std::uint32_t grupo, asignatura, profesor;
  };

  // Opens the table (its error is the writer's at this point) and reads the lessons.
  // A lesson that cannot be read ends the reading there: its error is kept for error(),
  // so that the writer stores the rows before it first, as a plain pass would.
  explicit Lecciones(dbf::Table& horgrup);

  // The lessons in table order, up to the first that could not be read, whose error
  // error() gives (null when every lesson was read).
  const std::vector<Leccion>& lecciones() const { return lecciones_; }
  std::exception_ptr error() const { return error_; }
  // Per number, in order of first appearance: each group code's parts, each subject code
  // without blanks, each teacher's DNI.
  const std::vector<gescen::CodigoGrupo>& grupos() const { return grupos_; }
  const std::vector<std::string>& asignaturas() const { return asignaturas_; }
  const std::vector<std::int64_t>& profesores() const { return dnis_; }

 private:
  std::exception_ptr error_;
  std::vector<Leccion> lecciones_;
  std::vector<gescen::CodigoGrupo> grupos_;
  std::vector<std::string> asignaturas_;
  std::vector<std::int64_t> dnis_;
};

}  // namespace procesos
