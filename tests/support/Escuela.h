#pragma once
// Staged GESCEN tables for the export tests, written through the engine into a
// throw-away C: drive, and helpers to read the exchange tables back.

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dbf/Table.h"
#include "gescen/Catalogo.h"
#include "tests/support/TempDrive.h"

// A column of a test table: its name and, for text, its width (0: an integer N 11.0;
// -1: a float N 20.4).
struct Columna {
  std::string nombre;
  int ancho = 10;
};

using Fila = std::vector<std::string>;
using Registro = std::map<std::string, std::string>;

// Creates a table at a Windows path and fills it, every value written as text.
void crearTabla(const std::string& ruta, const std::vector<Columna>& columnas,
                const std::vector<Fila>& filas);

// Creates a staged GESCEN table (C:\ZORVTMP\VALENCIA\<nombre>).
void staged(const std::string& nombre, const std::vector<Columna>& columnas,
            const std::vector<Fila>& filas);

// Every record of a table (deleted ones left out), each field read as text.
std::vector<Registro> leerTabla(const std::string& ruta);
// One field of every record.
std::vector<std::string> columna(const std::string& ruta, const std::string& campo);

// The standard staged tables with the fields the export reads.
void asignaturas(const std::vector<Fila>& filas);    // CODASIG LITRESV VLITEASIG CLITEASIG HORSEMTE
void ocupaciones(const std::vector<Fila>& filas);    // OCUPA VLITERAL CLITERAL
void profesores(const std::vector<Fila>& filas);     // APENOMPROF DEPARTA DNI FBAJA(YYYYMMDD)
void aulas(const std::vector<Fila>& filas);          // CODAULA LITAULA
void grupos(const std::vector<Fila>& filas);         // CODGRUP TURNO LITEGRUP
void alumnos(const std::vector<Fila>& filas);        // CODIGO APENOM CODCUR CODGRUP REPITE
void matriculas(const std::vector<Fila>& filas);     // CODIGO CODASIG
void horarioGrupos(const std::vector<Fila>& filas);  // CODGRUP CODASIG DNI

// A staged school where every table exists and is empty.
void escuelaVacia();
// A staged school of one subject, teacher, room, group and student, every exchange table
// getting a row from it.
void escuelaDeUnAlumno();

std::string intercambio(const std::string& archivo);

// The text of what `paso` raises; empty when it raises nothing.
std::string errorDe(const std::function<void()>& paso);

// A way for a writer to fail: how the school is spoilt, the error the writer must stop
// with (empty: none) and the rows its table must keep, by one column.
struct CasoFallo {
  const char* nombre;
  std::function<void()> preparar;
  std::string error;
  std::vector<std::string> filas;
};
