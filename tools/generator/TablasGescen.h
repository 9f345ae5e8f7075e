#pragma once
// The GESCEN data folder written from a school: the eleven tables that the program
// stages (with the student table's memo file) and the teacher timetable.

#include <string>
#include <vector>

#include "tools/generator/EscritorDbf.h"
#include "tools/generator/Escuela.h"

namespace gen {

// Field layouts of the three tables whose full structure is fixed.
std::vector<Campo> camposAsignat();
std::vector<Campo> camposCentro();
std::vector<Campo> camposAlumnos();

struct ResumenTabla {
  std::string archivo;
  std::uint32_t registros = 0;
  std::uint32_t borrados = 0;
  std::uint64_t bytes = 0;
};

// Writes every file into `carpeta` (a native path that exists) and returns one line of
// summary per file.
std::vector<ResumenTabla> escribirGescen(const Escuela& e, const std::string& carpeta);

}  // namespace gen
