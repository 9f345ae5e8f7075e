#pragma once
// The subjects each student takes, from the staged enrolment table (asigalum). Reading
// it is the longest part of the export, so it starts in a thread of its own as soon as
// the run begins and goes on while the first writers work. Nothing of it shows until the
// student writer asks: the table opens, and errors are raised, at the points where a
// plain pass would open it and fail.

#include <cstdint>
#include <exception>
#include <future>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Busquedas.h"
#include "Table.h"

namespace tzv {

class Matriculas {
 public:
  // Starts opening and reading the table in the background.
  explicit Matriculas(dbf::Table& asigalum);
  // Waits for the reading; closes the table when the run ended before the student writer
  // got to it.
  ~Matriculas();
  Matriculas(const Matriculas&) = delete;
  Matriculas& operator=(const Matriculas&) = delete;

  // Where the writer opens the table: waits for the reading, then raises the opening's
  // error, if any.
  void abrir();
  // The subject codes (CODASIG) of the student's enrolments, in the table's stored
  // order, as numbers into codigos(). The first call waits for the reading and raises
  // its error.
  std::span<const std::uint32_t> de(const std::string& exped);
  // Each distinct subject code of the table, as read.
  const std::vector<std::string>& codigos() const { return codigos_; }
  // For another thread: the reading, to wait for it (each thread with its own copy), and
  // then de() without this object's memory of the last student, `siguiente` being the
  // caller's; a student found gives a span that is not null. Whether the table has the
  // subject code field that de() asks for.
  std::shared_future<void> lectura() const { return lectura_; }
  std::span<const std::uint32_t> buscar(std::string_view exped, std::uint32_t& siguiente) const;
  bool tieneCodasig() const { return tieneCodasig_; }
  // Closes the table, as the writer does when it is done.
  void cerrar();

 private:
  void leer();

  dbf::Table& asigalum_;
  std::exception_ptr errorApertura_;  // the table's opening error, if any
  std::shared_future<void> lectura_;
  bool tieneCodasig_ = true;
  std::string codigosAlumno_;  // the student codes read, one after the other
  // Student code (a view of codigosAlumno_): number in order of appearance.
  tsl::robin_map<std::string_view, std::uint32_t, HashBytes, MismosBytes> porAlumno_;
  std::vector<std::string_view> enOrden_;    // the student codes in that order
  std::uint32_t siguiente_ = 0;              // the student after the last one asked for
  std::vector<std::string> codigos_;         // each distinct subject code, as read
  std::vector<std::uint32_t> inicio_;        // per student, into codigoDeFila_
  std::vector<std::uint32_t> codigoDeFila_;  // the rows grouped by student, stored order kept
};

}  // namespace tzv
