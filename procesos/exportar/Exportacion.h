#pragma once
// The export run: the seven writers in their fixed order between the opening message
// and "Proceso finalizado". Later writers read tables the earlier ones wrote.

#include <string>

#include "procesos/Interaccion.h"

namespace gescen {
class Catalogo;
}

namespace procesos {

inline constexpr const char* kAvisoExportacion =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en nuestra Gestión de Centros.";
inline constexpr const char* kProcesoFinalizado = "Proceso finalizado";
// Added to the text of an error that stopped the export.
inline constexpr const char* kTablasIncompletas =
    "La exportación no se ha completado: las tablas de intercambio de C:\\ZORVTMP están "
    "incompletas.";

// Writes the nine exchange tables from the staged GESCEN tables. `idioma` is the language
// selector's text. A normal return means every table was written, the result flag is 1
// and "Proceso finalizado" has been acknowledged. An error stops the run at once and is thrown on
// to the caller, which shows it, with kTablasIncompletas after its text; the tables written until
// then stay, and the result flag goes back to 0 so that a host never takes a failed export for a
// good one. Another run working on the work folder refuses the export at once
// (gescen::OtraEjecucionError).
void ejecutarExportacion(gescen::Catalogo& tablas, const std::string& idioma,
                         EstadoPrograma& estado, Interaccion& ui);

// Only the writers, in order, without messages or cursor.
void escribirTablasIntercambio(gescen::Catalogo& tablas, const std::string& idioma);

}  // namespace procesos
