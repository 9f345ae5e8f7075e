#include "ExportarAlumnos.h"

#include <exception>
#include <string>

#include "Alumnado.h"
#include "Catalogo.h"
#include "Matriculas.h"
#include "Staging.h"
#include "TablasIntercambio.h"

namespace tzv {

void ExportarAlumnos(gc::Catalogo& tablas) {
  dbf::Table alumnost;
  recrearIntercambio(alumnost, kALUMNOST, camposAlumnost());

  dbf::Table asigvalt;
  abrirPorCodvalen(asigvalt);
  const MapaTextos<std::string> abreviaturas = abreviaturasDe(asigvalt);

  tablas.wwTableGrupos.open();
  alumnost.open();
  tablas.wwTableAlumnos.open();
  Matriculas matriculas(tablas.wwTableAsigAlum);
  const Turnos turnos(tablas.wwTableGrupos);
  const Alumnado alumnado(tablas.wwTableAlumnos, alumnost.layout(), turnos, matriculas,
                          abreviaturas);
  // The rows before a failing student are stored, then the failure stops the writer.
  alumnost.appendRecords(alumnado.filas());
  if (alumnado.demasiadasAsignaturas())
    alumnost.campo("ASIG" + std::to_string(kMaxAsignaturasAlumno + 1));
  if (alumnado.error()) std::rethrow_exception(alumnado.error());
  tablas.wwTableAlumnos.close();
  matriculas.cerrar();
  tablas.wwTableGrupos.close();
  alumnost.close();
  asigvalt.close();
}

}  // namespace tzv
