#pragma once
// The import run: the generator's solution (C:\ZORVTMP\SOLUC.DBF) becomes the GESCEN
// group and teacher timetables, after the teacher and class-period checks.

#include <array>
#include <string>

#include "procesos/Interaccion.h"
#include "procesos/exportar/Exportacion.h"

namespace gescen {
class Catalogo;
}

namespace procesos {

inline constexpr const char* kAvisoImportacion =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en "
    "nuestro Horario.";
inline constexpr const char* kSinSolucion = "No se encuentra archivo SOLUC.DBF en C:\\ZORVTMP";
inline constexpr const char* kProfesorSinDni =
    "¡Atención! Sigue habiendo algún Profesor sin D.N.I.\n\r"
    "Este proceso se dentendrá y deberá volver a ejecutar\n\r"
    "la Importación, para poder corregir la incidencia";

// Start and end time of class periods 1 to 20 (index 0 unused).
using HorasPeriodo = std::array<std::string, 21>;

// How an import ended, once its last message has been acknowledged:
// - Completada: the timetables are back in GESCEN, the result flag is 1 and
//   "Proceso finalizado" was shown;
// - SinSolucion: there was no SOLUC.DBF; kSinSolucion was shown, nothing was changed and
//   the result flag was left as it was;
// - ProfesorSinDni: a teacher is still without DNI after the teacher grid; kProfesorSinDni
//   was shown, the GESCEN folder and the result flag are unchanged, and the hourglass is
//   still up. The user has to start the import again.
enum class ResultadoImportacion { Completada, SinSolucion, ProfesorSinDni };

// `carpetaGC` is the folder list's folder when the run starts; `centro` the centre
// list's text. Errors are thrown to the caller, which shows them; the GESCEN folder then
// keeps its two timetable files as they were.
ResultadoImportacion ejecutarImportacion(gescen::Catalogo& tablas, const std::string& carpetaGC,
                                         const std::string& centro, EstadoPrograma& estado,
                                         Interaccion& ui);

}  // namespace procesos
