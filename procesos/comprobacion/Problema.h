#pragma once
// One problem found in a school's data: where it is, what a run would do with it and
// what to change in GESCEN.

#include <cstdint>
#include <string>
#include <vector>

namespace procesos {

struct Problema {
  std::string tabla;           // the file, as the GESCEN folder or the work folder names it
  std::uint32_t registro = 0;  // its record number; 0 for the table as a whole
  std::string clave;           // the record's key: "CODASIG 1ESO001"
  std::string campo;
  std::string valor;     // the field's value as stored, trailing blanks left out
  bool detiene = false;  // a run stops at it
  std::string efecto;    // what the run does with it
  std::string consejo;   // what to change in GESCEN
};

// One line: table, record, key, field, value, effect and hint, separated by " | ".
std::string enTexto(const Problema& p);
// The whole list as a JSON array of objects, one line each.
std::string enJson(const std::vector<Problema>& problemas);
bool algunoDetiene(const std::vector<Problema>& problemas);
// Whether `error`, the text a run stopped with, is this problem's own.
bool yaDicho(const Problema& p, const std::string& error);
// The problems for a box: their count, at most `lineas` of them, and how many more.
std::string listaProblemas(const std::vector<Problema>& problemas, std::size_t lineas);

}  // namespace procesos
