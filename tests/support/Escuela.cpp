#include "tests/support/Escuela.h"

#include <filesystem>

#include "gescen/Staging.h"
#include "plat/WinPath.h"

void crearTabla(const std::string& ruta, const std::vector<Columna>& columnas,
                const std::vector<Fila>& filas) {
  std::filesystem::create_directories(std::filesystem::path(plat::toNative(ruta)).parent_path());
  dbf::Table t;
  t.setTableName(ruta);
  for (const Columna& c : columnas) {
    dbf::FieldKind kind = c.ancho > 0    ? dbf::FieldKind::String
                          : c.ancho == 0 ? dbf::FieldKind::Integer
                                         : dbf::FieldKind::Float;
    t.fieldDefs().push_back({c.nombre, kind, c.ancho > 0 ? c.ancho : 0});
  }
  t.createTable();
  t.open();
  for (const Fila& f : filas) {
    t.append();
    for (std::size_t i = 0; i < columnas.size() && i < f.size(); ++i)
      t.setString(columnas[i].nombre, f[i]);
    t.post();
  }
  t.close();
}

void staged(const std::string& nombre, const std::vector<Columna>& columnas,
            const std::vector<Fila>& filas) {
  crearTabla(std::string(gescen::kCarpetaStaging) + "\\" + nombre, columnas, filas);
}

std::vector<Registro> leerTabla(const std::string& ruta) {
  dbf::Table t;
  t.setTableName(ruta);
  t.open();
  std::vector<Registro> out;
  for (t.first(); !t.eof(); t.next()) {
    Registro r;
    for (const auto& f : t.layout().fields) r[f.name] = t.asString(f.name);
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<std::string> columna(const std::string& ruta, const std::string& campo) {
  std::vector<std::string> out;
  for (const Registro& r : leerTabla(ruta)) out.push_back(r.at(campo));
  return out;
}

void asignaturas(const std::vector<Fila>& filas) {
  staged("asignat.dbf",
         {{"CODASIG", 8}, {"LITRESV", 3}, {"VLITEASIG", 30}, {"CLITEASIG", 30}, {"HORSEMTE", 5}},
         filas);
}
void ocupaciones(const std::vector<Fila>& filas) {
  staged("OCUPA.dbf", {{"OCUPA", 5}, {"VLITERAL", 40}, {"CLITERAL", 40}}, filas);
}
void profesores(const std::vector<Fila>& filas) {
  staged("profesor.dbf", {{"APENOMPROF", 50}, {"DEPARTA", 50}, {"DNI", 0}, {"FBAJA", 8}}, filas);
}
void aulas(const std::vector<Fila>& filas) {
  staged("aulas.dbf", {{"CODAULA", 6}, {"LITAULA", 40}}, filas);
}
void grupos(const std::vector<Fila>& filas) {
  staged("grupos.dbf", {{"CODGRUP", 5}, {"TURNO", 2}, {"LITEGRUP", 40}}, filas);
}
void alumnos(const std::vector<Fila>& filas) {
  staged("alumnos.dbf",
         {{"CODIGO", 10}, {"APENOM", 45}, {"CODCUR", 4}, {"CODGRUP", 5}, {"REPITE", 0}}, filas);
}
void matriculas(const std::vector<Fila>& filas) {
  staged("asigalum.dbf", {{"CODIGO", 10}, {"CODASIG", 8}}, filas);
}
void horarioGrupos(const std::vector<Fila>& filas) {
  staged("horgrup.dbf", {{"CODGRUP", 5}, {"CODASIG", 8}, {"DNI", 0}}, filas);
}

void escuelaVacia() {
  asignaturas({});
  ocupaciones({});
  profesores({});
  aulas({});
  grupos({});
  alumnos({});
  matriculas({});
  horarioGrupos({});
}

void escuelaDeUnAlumno() {
  escuelaVacia();
  asignaturas({{"1ESO001", "MAT", "Matemàtiques", "Matemáticas", "4"}});
  profesores({{"GARCIA PEREZ, ANA", "MATES", "11111111", ""}});
  aulas({{"101", "Aula"}});
  grupos({{"1ESOA", "M", "Primer A"}});
  alumnos({{"1", "ALUMNA, UNA", "1ESO", "1ESOA", "0"}});
  matriculas({{"1", "1ESO001"}});
  horarioGrupos({{"1ESOA", "1ESO001", "11111111"}});
}

std::string intercambio(const std::string& archivo) {
  return std::string(gescen::kCarpetaTrabajo) + "\\" + archivo;
}

std::string errorDe(const std::function<void()>& paso) {
  try {
    paso();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}
