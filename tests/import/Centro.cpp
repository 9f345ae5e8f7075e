#include "tests/import/Centro.h"

#include "dbf/Table.h"
#include "gescen/TablasIntercambio.h"
#include "plat/WinPath.h"
#include "procesos/importar/ComprobarPlantilla.h"

bool UsuarioImportacion::controlProfesores() {
  sucesos.push_back("rejilla de profesores");
  dbf::Table t;
  t.setTableName("C:\\ZORVTMP\\proft.dbf");
  t.open();
  bool correcto = true;
  for (t.first(); !t.eof(); t.next()) {
    auto d = dnis.find(t.asString("ABREV"));
    if (d != dnis.end()) {
      t.edit();
      t.setInteger("DNI", d->second);
      t.post();
    }
    if (t.asInteger("DNI") == 0) correcto = false;
  }
  return correcto && dniCorrectoAlSalir;
}

void UsuarioImportacion::controlPlantilla() {
  sucesos.push_back("rejilla de plantilla");
  if (mientrasPlantilla) mientrasPlantilla();
  dbf::Table t;
  t.setDatabaseName(procesos::kCarpetaPlantilla);
  t.setTableName("plantilla");
  t.open();
  for (t.first(); !t.eof(); t.next()) {
    auto h = horasInicio.find(static_cast<int>(t.asInteger("HORA")));
    if (h == horasInicio.end()) continue;
    t.edit();
    t.setString("HORAINI", h->second);
    t.post();
  }
}

void horariosGescen() {
  crearTabla("C:\\GC\\horgrup.dbf",
             {{"CODCEN", 0},
              {"CODGRUP", 5},
              {"CODASIG", 8},
              {"DNI", 0},
              {"DIASEM", 0},
              {"NUMHORA", 0},
              {"HORDIADES", 5},
              {"HORDIAHAS", 5},
              {"CODAULA", 0},
              {"OBSERV", 10}},
             {{"3001", "1ESOA", "1ESO001", "5", "1", "1", "08:00", "08:55", "101", "otro"}});
  crearTabla("C:\\GC\\horprof.dbf",
             {{"CODCEN", 0},
              {"DNI", 0},
              {"DIASEM", 0},
              {"NUMHORA", 0},
              {"HORAD", 5},
              {"HORAH", 5},
              {"OCUPA", 4}},
             {{"3001", "5", "1", "1", "08:00", "08:55", ""}});
}

void centroYPeriodos(const std::vector<Fila>& periodos) {
  crearTabla("C:\\GC\\centro.dbf", {{"CODCEN", -1}, {"LITCEN", 45}},
             {{"46001234", "IES Lluís Vives"}});
  crearTabla("C:\\GC\\lhortipo.dbf", {{"CODCEN", 10}, {"NUMHORA", 0}, {"DESDE", 8}, {"HASTA", 8}},
             periodos);
}

void profesoresExportados(const std::vector<Fila>& filas) {
  crearTabla(gescen::rutaIntercambio(gescen::kPROFT),
             {{"ABREV", 4}, {"NOMBRE", 40}, {"DEPART", 40}, {"DNI", 0}}, filas);
}

void asignaturasExportadas(const std::vector<Fila>& filas) {
  dbf::Table t;
  t.setTableName(gescen::rutaIntercambio(gescen::kASIGVALT));
  t.fieldDefs() = {gescen::texto("COD", 4), gescen::texto("CODVALEN", 10),
                   gescen::texto("NIVEL", 5), gescen::texto("CURSO", 3)};
  t.indexDefs() = {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}};
  t.createTable();
  t.open();
  for (const Fila& f : filas) {
    t.append();
    t.setString("COD", f[0]);
    t.setString("CODVALEN", f[1]);
    t.setString("NIVEL", f[2]);
    t.setString("CURSO", f[3]);
    t.post();
  }
  t.close();
}

std::vector<Columna> camposSolucion() {
  return {{"DIA", 0},   {"HORA", 0}, {"TAREA", 5}, {"PROF", 4}, {"NIVEL", 5},
          {"CURSO", 3}, {"ASIG", 4}, {"GRUPO", 2}, {"AULA", 4}};
}

void solucion(const std::vector<Fila>& filas) {
  crearTabla("C:\\ZORVTMP\\SOLUC.DBF", camposSolucion(), filas);
}

std::string archivoDeGescen(const std::string& archivo) {
  return plat::toNative("C:\\GC\\" + archivo);
}
