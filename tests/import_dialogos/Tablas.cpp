#include "tests/import_dialogos/Tablas.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <filesystem>

#include "dbf/Recreate.h"
#include "dbf/Table.h"
#include "gescen/Staging.h"
#include "plat/WinPath.h"
#include "procesos/importar/ComprobarPlantilla.h"

namespace {

dbf::FieldDef texto(const char* nombre, int ancho) {
  return {nombre, dbf::FieldKind::String, ancho};
}
dbf::FieldDef entero(const char* nombre) { return {nombre, dbf::FieldKind::Integer, 0}; }

void carpeta(const std::string& ventanas) {
  std::filesystem::create_directories(plat::toNative(ventanas));
}

}  // namespace

void crearProft(const std::vector<Profesor>& profesores) {
  carpeta(gescen::kCarpetaTrabajo);
  dbf::Table t;
  dbf::recrearTabla(t, gescen::kCarpetaTrabajo, "PROFT.DBF",
                    {texto("ABREV", 4), texto("NOMBRE", 40), texto("DEPART", 40), entero("DNI")});
  t.open();
  for (const Profesor& p : profesores) {
    t.append();
    t.setString("ABREV", p.abrev);
    t.setString("NOMBRE", p.nombre);
    t.setString("DEPART", p.depart);
    t.setInteger("DNI", p.dni);
  }
  if (!profesores.empty()) t.post();
  t.close();
}

std::vector<Profesor> leerProft() {
  dbf::Table t;
  t.setTableName(std::string(gescen::kCarpetaTrabajo) + "\\PROFT.DBF");
  t.open();
  std::vector<Profesor> v;
  for (t.first(); !t.eof(); t.next())
    v.push_back(
        {t.asString("ABREV"), t.asString("NOMBRE"), t.asString("DEPART"), t.asInteger("DNI")});
  return v;
}

std::uint32_t registrosProft() {
  dbf::Table t;
  t.setTableName(std::string(gescen::kCarpetaTrabajo) + "\\PROFT.DBF");
  t.open();
  return t.recordCount();
}

void crearPlantilla(const std::vector<Periodo>& periodos) {
  carpeta(procesos::kCarpetaPlantilla);
  dbf::Table t;
  dbf::recrearTabla(t, procesos::kCarpetaPlantilla, "PLANTILLA.DBF",
                    {entero("HORA"), texto("HORAINI", 5), texto("HORAFIN", 5)}, {{"HORA", "HORA"}});
  t.open();
  for (std::size_t hora = 1; hora <= 20; ++hora) {
    t.append();
    t.setInteger("HORA", static_cast<std::int64_t>(hora));
    if (hora <= periodos.size()) {
      t.setString("HORAINI", periodos[hora - 1].inicio);
      t.setString("HORAFIN", periodos[hora - 1].fin);
    }
  }
  t.post();
  t.close();
}

std::vector<Periodo> leerPlantilla() {
  dbf::Table t;
  t.setTableName(std::string(procesos::kCarpetaPlantilla) + "\\PLANTILLA.DBF");
  t.open();
  std::vector<Periodo> v;
  for (t.first(); !t.eof(); t.next()) v.push_back({t.asString("HORAINI"), t.asString("HORAFIN")});
  return v;
}

std::uint32_t registrosPlantilla() {
  dbf::Table t;
  t.setTableName(std::string(procesos::kCarpetaPlantilla) + "\\PLANTILLA.DBF");
  t.open();
  return t.recordCount();
}

void prepararAplicacion() {
  QCoreApplication::setApplicationName(QStringLiteral("TransZorvexValencia"));
  const QString fuente = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
  if (QFile::exists(fuente)) QFontDatabase::addApplicationFont(fuente);
}
