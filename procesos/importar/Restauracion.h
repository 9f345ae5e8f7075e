#pragma once
// The backups of GESCEN's two timetable tables that every import keeps, listed and put
// back. A restore goes through the import's own safe copy: what GESCEN holds now is kept
// in a backup of its own first, so a restore can be undone the same way.

#include <string>
#include <utility>
#include <vector>

namespace procesos {

struct CopiaHorarios {
  std::string nombre;   // the folder's name: its date and time, 20261211-093005
  std::string carpeta;  // the folder, as a Windows path
  std::string fecha;    // "11/12/2026 09:30:05"
  // Each table in it with its records; -1 for a table that cannot be read.
  std::vector<std::pair<std::string, long>> tablas;
};

// The whole backups in C:\ZORVTMP\VALENCIA\COPIAS, newest first.
std::vector<CopiaHorarios> copiasDeHorarios();

// Puts the backup named `nombre` (the newest when empty) back into `carpetaGC`: both
// tables or neither. Refuses with a message and nothing changed when there is no such
// backup, when it lacks a table or holds one that is not a readable table, or when
// GESCEN has the tables in use. Returns the folder that keeps what GESCEN held.
std::string restaurarHorarios(const std::string& carpetaGC, const std::string& nombre);

}  // namespace procesos
