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
#include <string_view>
#include <vector>

#include "CodigoGrupo.h"
#include "DbfLayout.h"
#include "SegundoPlano.h"
#include "Table.h"

namespace tzv {

class Lecciones {
 public:
  struct Leccion {
    std::uint32_t grupo, asignatura, profesor;
  };

  // Starts opening and reading the table in the background. Once the run tells that
  // PROFT.DBF is written (ASIGVALT.DBF is written before it), the rows of ASIGT are made
  // there as well.
  explicit Lecciones(dbf::Table& horgrup);
  // Waits for the reading; closes the table, as the writer does, when the run ended
  // before the writer got to it.
  ~Lecciones();
  Lecciones(const Lecciones&) = delete;
  Lecciones& operator=(const Lecciones&) = delete;

  // PROFT.DBF and ASIGVALT.DBF are written and closed: the rows can be made.
  void profesoresEscritos();
  // Where the writer opens the table: raises the opening's error, if any.
  void abrir();
  // Whether the rows of ASIGT were all made ahead, with nothing failing on the way; the
  // layout they were made for (ASIGT's, as created), and the rows, one after the other.
  bool filasCompletas();
  const dbf::Layout& formatoFilas() const { return formato_; }
  std::string_view filas() const { return {filas_.data(), filas_.size()}; }
  // The lessons in table order, up to the first that could not be read, whose error
  // error() gives (null when every lesson was read).
  const std::vector<Leccion>& lecciones() const { return lecciones_; }
  std::exception_ptr error() const { return error_; }
  // Per number, in order of first appearance: each group code's parts, each subject code
  // without blanks, each teacher's DNI.
  const std::vector<CodigoGrupo>& grupos() const { return grupos_; }
  const std::vector<std::string>& asignaturas() const { return asignaturas_; }
  const std::vector<std::int64_t>& profesores() const { return dnis_; }

 private:
  void leer();
  void hacerFilas();

  dbf::Table& horgrup_;
  Aviso profesores_;  // given once PROFT is written
  std::shared_future<void> hecho_;
  std::exception_ptr errorApertura_, error_;
  std::vector<Leccion> lecciones_;
  std::vector<CodigoGrupo> grupos_;
  std::vector<std::string> asignaturas_;
  std::vector<std::int64_t> dnis_;
  dbf::Layout formato_;
  std::vector<char> filas_;
  bool completas_ = false;
};

}  // namespace tzv
