#pragma once
// A small GESCEN school written as dBase tables into a folder (a Windows path under the
// current drive mapping): one subject, occupation, teacher, room, group, student with
// its subject and timetable row, and a centre table, enough for a whole export run.

#include <string>
#include <vector>

namespace prueba {

// The subject's Valencian and Castilian names.
inline constexpr const char* kNombreValenciano = "Matemàtiques";
inline constexpr const char* kNombreCastellano = "Matemáticas";

// A field of a table that EscribirTabla writes: its name and its width; width 0 makes a
// whole-number field.
struct Campo {
  const char* nombre;
  int ancho;
};

// Writes the table `nombre` into `carpeta` (created when missing), every value given as
// text; an empty text leaves the field blank.
void escribirTabla(const std::string& carpeta, const std::string& nombre,
                   const std::vector<Campo>& columnas,
                   const std::vector<std::vector<std::string>>& filas);

// Writes every table of the school into `carpeta` (created when missing).
void escribirEscuela(const std::string& carpeta,
                     const std::vector<std::string>& centros = {"46001234"});

// Writes only centro.dbf: one record per code, CODCEN a whole number (an empty text
// leaves the field empty).
void escribirCentros(const std::string& carpeta, const std::vector<std::string>& centros);

// Every value of one field of a table, read as text in stored order.
std::vector<std::string> columna(const std::string& tabla, const std::string& campo);

}  // namespace prueba
