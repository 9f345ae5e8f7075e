#include "procesos/importar/ComprobarPlantilla.h"

#include "dbf/Recreate.h"
#include "gescen/Catalogo.h"
#include "gescen/TablasIntercambio.h"

namespace procesos {
using gescen::entero;
using gescen::texto;

void ComprobarPlantilla(gescen::Catalogo& tablas, const std::string& centro, Interaccion& ui,
                        HorasPeriodo& desde, HorasPeriodo& hasta) {
  desde.fill("");
  hasta.fill("");
  dbf::Table& lhortipo = tablas.wwTableLhortipo;
  lhortipo.open();
  for (lhortipo.first(); !lhortipo.eof(); lhortipo.next()) {
    if (lhortipo.asString("CODCEN") != centro) continue;
    const std::int64_t hora = lhortipo.asInteger("NUMHORA");
    if (hora < 1 || hora > 20) continue;
    const std::string d = lhortipo.asString("DESDE");
    const std::string h = lhortipo.asString("HASTA");
    if (!d.empty()) desde[static_cast<std::size_t>(hora)] = d;
    if (!h.empty()) hasta[static_cast<std::size_t>(hora)] = h;
  }

  {
    dbf::Table plantilla;
    dbf::recrearTabla(plantilla, kCarpetaPlantilla, "PLANTILLA.DBF",
                      {entero("HORA"), texto("HORAINI", 5), texto("HORAFIN", 5)},
                      {{"HORA", "HORA"}});
    plantilla.open();
    for (std::size_t hora = 1; hora <= 20; ++hora) {
      plantilla.append();
      plantilla.setInteger("HORA", static_cast<std::int64_t>(hora));
      plantilla.setString("HORAINI", desde[hora]);
      plantilla.setString("HORAFIN", hasta[hora]);
    }
    plantilla.post();
    plantilla.close();
  }

  ui.controlPlantilla();
  ui.cursorEspera(true);

  desde.fill("");
  hasta.fill("");
  dbf::Table plantilla;
  plantilla.setTableName(std::string(kCarpetaPlantilla) + "\\Plantilla.DBF");
  plantilla.open();
  plantilla.setIndexName("HORA");
  for (plantilla.first(); !plantilla.eof(); plantilla.next()) {
    const std::int64_t hora = plantilla.asInteger("HORA");
    if (hora < 1 || hora > 20) continue;
    desde[static_cast<std::size_t>(hora)] = plantilla.asString("HORAINI");
    hasta[static_cast<std::size_t>(hora)] = plantilla.asString("HORAFIN");
  }
  plantilla.close();
}

}  // namespace procesos
