#pragma once
// The GESCEN group timetable (horgrup), read for the teaching-assignment writer in a
// second thread from the start of the export run: each lesson as the numbers of its
// group, subject and teacher codes, each distinct code worked out once. Nothing of it
// shows until the writer asks: the table opens, and errors are raised, at the points
// where a plain pass of the writer would open it and fail.

#include <cstdint>
#include <exception>
#include <future>
#include <string>
#include <vector>

#include "CodigoGrupo.h"
#include "Table.h"

namespace tzv {

class Lecciones {
 public:
  struct Leccion {
    std::uint32_t grupo, asignatura, profesor;
  };

  // Starts opening and reading the table in the background.
  explicit Lecciones(dbf::Table& horgrup);
  // Waits for the reading; closes the table, as the writer does, when the run ended
  // before the writer got to it.
  ~Lecciones();
  Lecciones(const Lecciones&) = delete;
  Lecciones& operator=(const Lecciones&) = delete;

  // Where the writer opens the table: raises the opening's error, if any.
  void abrir();
  // The lessons in table order, up to the first that could not be read, whose error
  // error() gives (null when every lesson was read).
  const std::vector<Leccion>& lecciones() const { return lecciones_; }
  std::exception_ptr error() const { return error_; }
  // Per number, in order of first appearance: each group code's parts, each subject code
  // without blanks, each teacher's DNI.
  const std::vector<CodigoGrupo>& grupos() const { return grupos_; }
  const std::vector<std::string>& asignaturas() const { return asignaturas_; }
  const std::vector<std::int64_t>& profesores() const { return profesores_; }

 private:
  void leer();

  dbf::Table& horgrup_;
  std::future<void> hecho_;
  std::exception_ptr errorApertura_, error_;
  std::vector<Leccion> lecciones_;
  std::vector<CodigoGrupo> grupos_;
  std::vector<std::string> asignaturas_;
  std::vector<std::int64_t> profesores_;
};

}  // namespace tzv
