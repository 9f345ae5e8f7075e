#include "procesos/exportar/ExportarAsignaciones.h"

#include <string>

#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "procesos/exportar/FilasAsignaciones.h"
#include "procesos/exportar/Lecciones.h"

namespace procesos {
using gescen::kASIGT;
using gescen::kASIGVALT;
using gescen::kPROFT;
using gescen::recrearIntercambio;

void ExportarAsignaciones(gescen::Catalogo& tablas) {
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
  // The rows are made as bytes for ASIGT's layout and stored together. A lesson that
  // could not be read stops the writer there, its rows before it stored, as a plain pass
  // would.
  const dbf::Layout& formato = asigt.layout();
  FilasEnFormato enFormato(formato);
  std::string filas;
  fuentes.recorrer(lecciones, [&](const FilaAsignacion& f) {
    filas.resize(filas.size() + formato.recordLength);
    enFormato.escribir(f, filas.data() + filas.size() - formato.recordLength);
  });
  asigt.appendRecords(filas);
  if (lecciones.error()) std::rethrow_exception(lecciones.error());
  tablas.wwTableHorGrup.close();
  asigt.close();
  asigvalt.close();
  proft.close();
}

}  // namespace procesos
