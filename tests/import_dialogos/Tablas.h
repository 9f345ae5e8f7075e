#pragma once
// The two tables the check dialogs edit, made in a throw-away C: drive with the
// engine, and read back through a handle of their own.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

struct Profesor {
  std::string abrev;
  std::string nombre;
  std::string depart;
  std::int64_t dni = 0;
};

// C:\ZORVTMP\PROFT.DBF with these teachers, fields as the export writes them.
void crearProft(const std::vector<Profesor>& profesores);
// Every teacher of PROFT.DBF, read with a separate handle.
std::vector<Profesor> leerProft();
std::uint32_t registrosProft();

struct Periodo {
  std::string inicio;
  std::string fin;
};

// C:\ZORVTMP\Valencia\PLANTILLA.DBF with periods 1 to 20, as the import writes it; the
// periods not given have no times.
void crearPlantilla(const std::vector<Periodo>& periodos);
std::vector<Periodo> leerPlantilla();
std::uint32_t registrosPlantilla();

// Registers the dialog font and names the application, as the program does.
void prepararAplicacion();
