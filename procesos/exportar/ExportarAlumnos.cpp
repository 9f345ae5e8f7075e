#include "procesos/exportar/ExportarAlumnos.h"

#include <string>

#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "procesos/exportar/Alumnado.h"
#include "procesos/exportar/Matriculas.h"

namespace procesos {
using gescen::kALUMNOST;
using gescen::MapaTextos;
using gescen::recrearIntercambio;

void ExportarAlumnos(gescen::Catalogo& tablas) {
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
  FilasAlumnos(alumnost.layout(), turnos, matriculas, abreviaturas)
      .escribir(tablas.wwTableAlumnos, alumnost);
  tablas.wwTableAlumnos.close();
  matriculas.cerrar();
  tablas.wwTableGrupos.close();
  alumnost.close();
  asigvalt.close();
}

}  // namespace procesos
