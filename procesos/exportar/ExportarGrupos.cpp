#include "procesos/exportar/ExportarGrupos.h"

#include <initializer_list>
#include <string_view>

#include "gescen/Busquedas.h"
#include "gescen/Catalogo.h"
#include "gescen/CodigoGrupo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "gescen/Texto.h"

namespace procesos {
using gescen::trocearGrupo;

using gescen::CodigoGrupo;
using gescen::kCURSOST;
using gescen::kGRUPOST;
using gescen::MapaTextos;
using gescen::recrearIntercambio;
using gescen::subcadena;
using gescen::texto;
using gescen::valorAlmacenado;

namespace {

// Several texts as one key: each one's length before it, so that no two lists of texts
// give the same key.
std::string clave(std::initializer_list<std::string_view> textos) {
  std::string k;
  for (std::string_view t : textos) {
    k += std::to_string(t.size());
    k += ':';
    k += t;
  }
  return k;
}

}  // namespace

void ExportarGrupos(gescen::Catalogo& tablas) {
  dbf::Table grupost;
  recrearIntercambio(grupost, kGRUPOST,
                     {texto("ABREV", 4), texto("TURNO", 1), texto("NIVEL", 5), texto("CURSO", 3),
                      texto("GRUPO", 2), texto("DESCRIP", 40)});
  grupost.open();
  dbf::Table cursost;
  recrearIntercambio(cursost, kCURSOST,
                     {texto("ABREV", 3), texto("TURNO", 1), texto("NIVEL", 5), texto("CURSO", 3)});
  cursost.open();

  // The values each written row gives back, as a duplicate test that reads the file
  // would see them.
  MapaTextos<bool> gruposEscritos, cursosEscritos;

  const dbf::Field& abrevG = grupost.campo("ABREV");
  const dbf::Field& turnoG = grupost.campo("TURNO");
  const dbf::Field& nivelG = grupost.campo("NIVEL");
  const dbf::Field& cursoG = grupost.campo("CURSO");
  const dbf::Field& grupoG = grupost.campo("GRUPO");
  const dbf::Field& descripG = grupost.campo("DESCRIP");
  const dbf::Field& abrevC = cursost.campo("ABREV");
  const dbf::Field& turnoC = cursost.campo("TURNO");
  const dbf::Field& nivelC = cursost.campo("NIVEL");
  const dbf::Field& cursoC = cursost.campo("CURSO");

  dbf::Table& grupos = tablas.wwTableGrupos;
  grupos.open();
  const dbf::LazyField turnoDe(grupos, "TURNO"), codgrup(grupos, "CODGRUP"),
      litegrup(grupos, "LITEGRUP");
  for (grupos.first(); !grupos.eof(); grupos.next()) {
    const std::string turno = grupos.asString(*turnoDe);
    const CodigoGrupo g = trocearGrupo(grupos.asString(*codgrup));
    if (!g.utilizable()) continue;
    if (!gruposEscritos.contains(clave({turno, g.nivel, g.curso, g.grupo}))) {
      grupost.append();
      grupost.setString(abrevG, g.abreviatura());
      grupost.setString(turnoG, turno);
      grupost.setString(nivelG, g.nivel);
      grupost.setString(cursoG, g.curso);
      grupost.setString(grupoG, g.grupo);
      grupost.setString(descripG, turno + " " + g.nivel + " " + g.curso + " " + g.grupo + " (" +
                                      grupos.asString(*litegrup) + ")");
      grupost.post();
      gruposEscritos.try_emplace(clave({valorAlmacenado(turno, 1), valorAlmacenado(g.nivel, 5),
                                        valorAlmacenado(g.curso, 3), valorAlmacenado(g.grupo, 2)}),
                                 true);
    }
    if (!cursosEscritos.contains(clave({turno, g.nivel, g.curso}))) {
      cursost.append();
      cursost.setString(abrevC, turno + subcadena(g.nivel, 1, 1) + g.curso);
      cursost.setString(turnoC, turno);
      cursost.setString(nivelC, g.nivel);
      cursost.setString(cursoC, g.curso);
      cursost.post();
      cursosEscritos.try_emplace(clave({valorAlmacenado(turno, 1), valorAlmacenado(g.nivel, 5),
                                        valorAlmacenado(g.curso, 3)}),
                                 true);
    }
  }
  grupos.close();
  grupost.close();
  cursost.close();
}

}  // namespace procesos
