#pragma once
// The subjects each student takes, from the staged enrolment table (asigalum), read
// whole when the student writer opens the table.

#include <cstdint>
#include <exception>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dbf/Table.h"
#include "gescen/Busquedas.h"

namespace procesos {

class Matriculas {
 public:
  // Opens the table (its error is the writer's at this point) and reads it. An error
  // while reading is kept (errorLectura): the writer raises it at its first student.
  explicit Matriculas(dbf::Table& asigalum);
  // Closes the table, also when the writer stopped before it did.
  ~Matriculas();
  Matriculas(const Matriculas&) = delete;
  Matriculas& operator=(const Matriculas&) = delete;

  // The error met while reading the table, which the writer raises at its first
  // student; null when the whole table was read.
  std::exception_ptr errorLectura() const { return errorLectura_; }
  // The error of the missing subject code field (CODASIG), which the writer raises at
  // the first student with enrolments; null when the table has the field.
  std::exception_ptr errorCodasig() const { return errorCodasig_; }
  // Each distinct subject code of the table, as read.
  const std::vector<std::string>& codigos() const { return codigos_; }
  // The subject codes of the student's enrolments, in the table's stored order, as
  // numbers into codigos(); `siguiente` is the caller's memory of the student after the
  // last one found. A student found gives a span that is not null.
  std::span<const std::uint32_t> buscar(std::string_view exped, std::uint32_t& siguiente) const;
  // Closes the table, as the writer does when it is done.
  void cerrar();

 private:
  struct Lectura;
  void leer();
  void comprobarCodasig();
  void leerRegistros(const dbf::Field& codigo, const dbf::Field* codasig, Lectura& l);
  void nuevoTramo(Lectura& l, const std::string& alumno);
  std::uint32_t nuevoCodigo(std::string codigo);
  void numerarAlumnos(Lectura& l);
  void agruparPorAlumno(Lectura& l);

  dbf::Table& asigalum_;
  std::exception_ptr errorLectura_, errorCodasig_;
  bool tieneCodasig_ = true;
  std::string codigosAlumno_;              // the student codes read, one after the other
  std::vector<std::string_view> enOrden_;  // each student's code, in order of appearance
  std::unordered_map<std::string_view, std::uint32_t> porAlumno_;  // numbers into enOrden_
  std::vector<std::string> codigos_;         // each distinct subject code, as read
  std::vector<std::uint32_t> inicio_;        // per student, into codigoDeFila_
  std::vector<std::uint32_t> codigoDeFila_;  // the rows grouped by student, stored order kept
};

}  // namespace procesos
