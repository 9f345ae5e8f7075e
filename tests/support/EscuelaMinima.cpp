#include "tests/support/EscuelaMinima.h"

#include <filesystem>

#include "dbf/Table.h"
#include "plat/WinPath.h"

namespace prueba {

void escribirTabla(const std::string& carpeta, const std::string& nombre,
                   const std::vector<Campo>& columnas,
                   const std::vector<std::vector<std::string>>& filas) {
  std::filesystem::create_directories(plat::toNative(carpeta));
  dbf::Table t;
  t.setTableName(plat::join(carpeta, nombre));
  for (const Campo& c : columnas)
    t.fieldDefs().push_back(
        {c.nombre, c.ancho > 0 ? dbf::FieldKind::String : dbf::FieldKind::Integer, c.ancho});
  t.createTable();
  t.open();
  for (const auto& fila : filas) {
    t.append();
    for (std::size_t i = 0; i < columnas.size() && i < fila.size(); ++i)
      if (!fila[i].empty()) t.setString(columnas[i].nombre, fila[i]);
    t.post();
  }
  t.close();
}

void escribirCentros(const std::string& carpeta, const std::vector<std::string>& centros) {
  std::vector<std::vector<std::string>> filas;
  for (const std::string& c : centros) filas.push_back({c});
  escribirTabla(carpeta, "centro.dbf", {{"CODCEN", 0}}, filas);
}

void escribirEscuela(const std::string& carpeta, const std::vector<std::string>& centros) {
  escribirTabla(
      carpeta, "asignat.dbf",
      {{"CODASIG", 8}, {"LITRESV", 3}, {"VLITEASIG", 30}, {"CLITEASIG", 30}, {"HORSEMTE", 5}},
      {{"1ESO001", "MAT", kNombreValenciano, kNombreCastellano, "4"}});
  escribirTabla(carpeta, "OCUPA.dbf", {{"OCUPA", 5}, {"VLITERAL", 40}, {"CLITERAL", 40}},
                {{"G", "Guàrdia", "Guardia"}});
  escribirTabla(carpeta, "profesor.dbf",
                {{"APENOMPROF", 50}, {"DEPARTA", 50}, {"DNI", 0}, {"FBAJA", 8}},
                {{"GARCIA PEREZ, ANA", "MATES", "11111111", ""}});
  escribirTabla(carpeta, "aulas.dbf", {{"CODAULA", 6}, {"LITAULA", 40}}, {{"101", "Aula"}});
  escribirTabla(carpeta, "grupos.dbf", {{"CODGRUP", 5}, {"TURNO", 2}, {"LITEGRUP", 40}},
                {{"1ESOA", "M", "Primer A"}});
  escribirTabla(carpeta, "alumnos.dbf",
                {{"CODIGO", 10}, {"APENOM", 45}, {"CODCUR", 4}, {"CODGRUP", 5}, {"REPITE", 0}},
                {{"1", "ALUMNA, UNA", "1ESO", "1ESOA", "0"}});
  escribirTabla(carpeta, "asigalum.dbf", {{"CODIGO", 10}, {"CODASIG", 8}}, {{"1", "1ESO001"}});
  escribirTabla(carpeta, "horgrup.dbf", {{"CODGRUP", 5}, {"CODASIG", 8}, {"DNI", 0}},
                {{"1ESOA", "1ESO001", "11111111"}});
  escribirCentros(carpeta, centros);
}

std::vector<std::string> columna(const std::string& ruta, const std::string& campo) {
  dbf::Table t;
  t.setTableName(ruta);
  t.open();
  std::vector<std::string> out;
  for (t.first(); !t.eof(); t.next()) out.push_back(t.asString(campo));
  t.close();
  return out;
}

}  // namespace prueba
