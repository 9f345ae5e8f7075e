#include "ExportarAsignaciones.h"

#include <string>

#include "Catalogo.h"
#include "FilasAsignaciones.h"
#include "Lecciones.h"
#include "Staging.h"
#include "TablasIntercambio.h"

namespace tzv {

void ExportarAsignaciones(gc::Catalogo& tablas) {
  dbf::Table asigt;
  recrearIntercambio(asigt, kASIGT, camposAsigt());
  asigt.open();
  FuentesAsignaciones fuentes;
  dbf::Table asigvalt, proft;
  abrirEnTrabajo(asigvalt, kASIGVALT);
  fuentes.leerAsignaturas(asigvalt);
  abrirEnTrabajo(proft, kPROFT);
  fuentes.leerProfesores(proft);
  const Lecciones lecciones(tablas.wwTableHorGrup);
  // Every lesson read and ASIGT as created: the rows are made as bytes for its layout
  // and stored together. Otherwise they are written one at a time through the table,
  // up to the lesson that failed.
  const dbf::Layout formato = dbf::reopenedLayout(camposAsigt(), kASIGT);
  if (!lecciones.error() && dbf::sameRecords(asigt.layout(), formato)) {
    FilasEnFormato enFormato(formato);
    std::string filas;
    fuentes.recorrer(lecciones, [&](const FilaAsignacion& f) {
      filas.resize(filas.size() + formato.recordLength);
      enFormato.escribir(f, filas.data() + filas.size() - formato.recordLength);
    });
    asigt.appendRecords(filas);
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
