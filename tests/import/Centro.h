#pragma once
// A GESCEN folder (C:\GC) and the tables the last export left, for the import tests.
#include <functional>
#include <string>
#include <vector>

#include "procesos/Interaccion.h"
#include "tests/support/Escuela.h"

// The import's user, with scripted answers: the teacher grid gives DNI numbers to the
// listed abbreviations; the class-period grid may change times.
class UsuarioImportacion : public procesos::Interaccion {
 public:
  std::vector<std::string> sucesos;
  std::map<std::string, long long> dnis;    // typed into the teacher grid
  bool dniCorrectoAlSalir = true;           // false: closed with the window's button
  std::map<int, std::string> horasInicio;   // typed into the class-period grid
  std::function<void()> mientrasPlantilla;  // something else happening meanwhile

  void mensaje(const std::string& texto) override { sucesos.push_back("mensaje: " + texto); }
  void cursorEspera(bool activo) override { sucesos.push_back(activo ? "reloj" : "normal"); }
  bool controlProfesores() override;
  void controlPlantilla() override;
};

// The GESCEN timetable tables of C:\GC, with one row of another centre each.
void horariosGescen();
void centroYPeriodos(
    const std::vector<Fila>& periodos);  // lhortipo rows: CODCEN NUMHORA DESDE HASTA
void profesoresExportados(const std::vector<Fila>& filas);   // PROFT: ABREV NOMBRE DEPART DNI
void asignaturasExportadas(const std::vector<Fila>& filas);  // ASIGVALT: COD CODVALEN NIVEL CURSO
void solucion(
    const std::vector<Fila>& filas);  // SOLUC: DIA HORA TAREA PROF NIVEL CURSO ASIG GRUPO AULA
// SOLUC.DBF's fields as the generator writes them (DIA and HORA integers), for a test that
// changes one before writing the solution with crearTabla.
std::vector<Columna> camposSolucion();
std::string archivoDeGescen(const std::string& archivo);  // native path of a file of C:\GC
