#include "ExportarGrupos.h"

#include <set>
#include <tuple>

#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {

void ExportarGrupos(gc::Catalogo& tablas) {
  dbf::Table grupost;
  recrearIntercambio(grupost, kGRUPOST,
                    {texto("ABREV", 4), texto("TURNO", 1), texto("NIVEL", 5), texto("CURSO", 3), texto("GRUPO", 2),
                     texto("DESCRIP", 40)});
  grupost.open();
  dbf::Table cursost;
  recrearIntercambio(cursost, kCURSOST,
                    {texto("ABREV", 3), texto("TURNO", 1), texto("NIVEL", 5), texto("CURSO", 3)});
  cursost.open();

  // The values each written row gives back, as a duplicate test that reads the file
  // would see them.
  std::set<std::tuple<std::string, std::string, std::string, std::string>> gruposEscritos;
  std::set<std::tuple<std::string, std::string, std::string>> cursosEscritos;

  dbf::Table& grupos = tablas.wwTableGrupos;
  grupos.open();
  for (grupos.first(); !grupos.eof(); grupos.next()) {
    const std::string turno = grupos.asString("TURNO");
    const CodigoGrupo g = trocearGrupo(grupos.asString("CODGRUP"));
    if (!g.utilizable()) continue;
    if (!gruposEscritos.count({turno, g.nivel, g.curso, g.grupo})) {
      grupost.append();
      grupost.setString("ABREV", g.abreviatura());
      grupost.setString("TURNO", turno);
      grupost.setString("NIVEL", g.nivel);
      grupost.setString("CURSO", g.curso);
      grupost.setString("GRUPO", g.grupo);
      grupost.setString("DESCRIP", turno + " " + g.nivel + " " + g.curso + " " + g.grupo + " (" +
                                       grupos.asString("LITEGRUP") + ")");
      grupost.post();
      gruposEscritos.insert({valorAlmacenado(turno, 1), valorAlmacenado(g.nivel, 5), valorAlmacenado(g.curso, 3),
                             valorAlmacenado(g.grupo, 2)});
    }
    if (!cursosEscritos.count({turno, g.nivel, g.curso})) {
      cursost.append();
      cursost.setString("ABREV", turno + subcadena(g.nivel, 1, 1) + g.curso);
      cursost.setString("TURNO", turno);
      cursost.setString("NIVEL", g.nivel);
      cursost.setString("CURSO", g.curso);
      cursost.post();
      cursosEscritos.insert({valorAlmacenado(turno, 1), valorAlmacenado(g.nivel, 5), valorAlmacenado(g.curso, 3)});
    }
  }
  grupos.close();
  grupost.close();
  cursost.close();
}

}  // namespace tzv
