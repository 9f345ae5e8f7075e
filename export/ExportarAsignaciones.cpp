#include "ExportarAsignaciones.h"

#include "Catalogo.h"
#include "FilasAsignaciones.h"
#include "Lecciones.h"
#include "Staging.h"
#include "TablasIntercambio.h"

namespace tzv {

void ExportarAsignaciones(gc::Catalogo& tablas) {
  Lecciones lecciones(tablas.wwTableHorGrup);
  ExportarAsignaciones(tablas, lecciones);
}

void ExportarAsignaciones(gc::Catalogo& tablas, Lecciones& lecciones) {
  lecciones.profesoresEscritos();  // the teacher writer ran before this one
  dbf::Table asigt;
  recrearIntercambio(asigt, kASIGT, camposAsigt());
  asigt.open();
  // The rows made ahead, when they were, are stored at once; the subject and teacher
  // tables they came from are still opened where the rows would read them.
  const bool preparadas =
      lecciones.filasCompletas() && dbf::sameRecords(asigt.layout(), lecciones.formatoFilas());
  FuentesAsignaciones fuentes;
  dbf::Table asigvalt, proft;
  abrirEnTrabajo(asigvalt, kASIGVALT);
  if (!preparadas) fuentes.leerAsignaturas(asigvalt);
  abrirEnTrabajo(proft, kPROFT);
  if (!preparadas) fuentes.leerProfesores(proft);
  // The lessons were read ahead: the opening's error comes where the table opens.
  lecciones.abrir();
  if (preparadas) {
    asigt.appendRecords(lecciones.filas());
  } else {
    const CamposAsigt campos(asigt);
    fuentes.recorrer(lecciones, [&](const FilaAsignacion& f) { escribirFila(asigt, campos, f); });
    // A lesson that could not be read stops the writer there, as it stops a plain pass.
    if (lecciones.error()) std::rethrow_exception(lecciones.error());
  }
  tablas.wwTableHorGrup.close();
  asigt.close();
  asigvalt.close();
  proft.close();
}

}  // namespace tzv
