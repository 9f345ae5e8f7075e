#pragma once
#include <string>
#include <vector>

namespace gescen {
class Catalogo;
}

namespace procesos {

// PROFT.DBF: one row per teacher still at the school (or without a leaving date, name
// or DNI to tell), each with an abbreviation made unique within the file.
void ExportarProfesores(gescen::Catalogo& tablas);

// A teacher's abbreviation before it is made unique: the name's first character and the
// initials after its blanks, three at most.
std::string abreviaturaProfesor(const std::string& nombre);

// The characters that directly follow each occurrence of `separador` in `texto`.
std::string Iniciales(const std::string& texto, const std::string& separador);

// Abbreviations made unique in table order: the first holder keeps its abbreviation, the
// later ones get 2, 3... appended (kept to four characters); any that still collide take
// their abbreviation cut short and a counter from 10 up that nobody holds.
std::vector<std::string> abreviaturasUnicas(std::vector<std::string> abreviaturas);

}  // namespace procesos
