#pragma once
#include <string>

namespace gescen {
class Catalogo;
}

namespace procesos {

// ASIGVALT.DBF (one row per subject, the translation table between GESCEN subject codes
// and the generator's abbreviations) and ASIGNOMT.DBF (one row per distinct
// abbreviation, then one per non-teaching occupation). `idioma` is the language
// selector's text: exactly "CASTELLANO" takes Castilian names, anything else Valencian.
void ExportarAsignaturas(gescen::Catalogo& tablas, const std::string& idioma);

// Weekly hours from the first two characters of HORSEMTE: 1.0 when blank or not above 0.
double horasSemanales(const std::string& horsemte);

}  // namespace procesos
