#include "procesos/importar/ComprobarSolucion.h"

#include <stdexcept>
#include <string>

#include "dbf/FieldValue.h"
#include "dbf/Table.h"
#include "gescen/TablasIntercambio.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace procesos {
using gescen::kASIGVALT;
using gescen::kPROFT;
using gescen::rutaIntercambio;

namespace {

constexpr const char* kSinCambios = " No se ha cambiado nada en GESCEN.";

std::string mayusculas(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

// The field of that name as the header stores it, hidden ones included: a type byte
// that hides a field is the field's problem, not a missing field.
const dbf::Field* campoLlamado(const dbf::Layout& formato, const char* nombre) {
  for (const dbf::Field& f : formato.fields)
    if (mayusculas(f.name) == nombre) return &f;
  return nullptr;
}

// A type byte as the user can read it.
std::string tipoDe(char tipo) {
  const auto c = static_cast<unsigned char>(tipo);
  if (c == ' ') return "en blanco";
  if (c > ' ' && c < 0x7F) return std::string(1, tipo);
  return "no válido (código " + std::to_string(c) + ")";
}

bool leeBien(const dbf::Layout& formato, const dbf::Field& f, LecturaSolucion como) {
  // A number stored as text reads as one too: the records' values are then read as they
  // come.
  return dbf::readsAsText(formato, f) ||
         (como == LecturaSolucion::Entero && dbf::readsAsNumber(formato, f));
}

std::string comoLee(LecturaSolucion como) {
  return como == LecturaSolucion::Entero ? "como número entero" : "como texto";
}

std::string queNecesita(LecturaSolucion como) {
  return como == LecturaSolucion::Entero ? "un campo numérico (tipo N o F) o de caracteres (C)"
                                         : "un campo de caracteres (tipo C)";
}

std::string incompleto(dbf::Table& t) {
  const std::uint32_t anunciados = t.layout().headerCount;
  const std::uint32_t presentes = t.recordCount();
  if (presentes >= anunciados) return {};
  return "El archivo " + t.path() + " está incompleto: su cabecera anuncia " +
         std::to_string(anunciados) + " registros y solo contiene " + std::to_string(presentes) +
         ".";
}

// An exchange table the import reads with the solution, when it is there: one cut short
// stops the import now, before anything is written.
void comprobarIntercambio(const char* archivo) {
  dbf::Table t;
  t.setTableName(rutaIntercambio(archivo));
  if (!plat::fileExists(t.nativePath())) return;  // the step that reads it says so
  t.setReadOnly(true);
  t.open();
  const std::string error = incompleto(t);
  t.close();
  if (!error.empty()) throw std::runtime_error(error + kSinCambios);
}

void comprobar(dbf::Table& soluc) {
  const std::string error = errorSolucion(soluc, defectosSolucion(soluc));
  if (!error.empty()) throw std::runtime_error(error + kSinCambios);
  for (soluc.first(); !soluc.eof(); soluc.next())
    if (soluc.asInteger("DIA") != 0) return;
  throw std::runtime_error("El archivo " + soluc.path() + " no contiene ningún horario." +
                           kSinCambios);
}

}  // namespace

std::vector<DefectoSolucion> defectosSolucion(dbf::Table& soluc) {
  if (std::string error = incompleto(soluc); !error.empty()) return {{{}, {}, std::move(error)}};
  const dbf::Layout& formato = soluc.layout();
  std::vector<DefectoSolucion> defectos;
  for (const CampoSolucion& c : camposSolucion()) {
    const dbf::Field* f = campoLlamado(formato, c.nombre);
    if (f == nullptr) {
      defectos.push_back({c.nombre,
                          {},
                          "falta el campo " + std::string(c.nombre) + ", que la importación lee " +
                              comoLee(c.como)});
    } else if (!leeBien(formato, *f, c.como)) {
      const std::string ancho = std::to_string(f->length);
      defectos.push_back({c.nombre, tipoDe(f->type) + " " + ancho,
                          "el campo " + std::string(c.nombre) + " es de tipo " + tipoDe(f->type) +
                              " y ancho " + ancho + ", y la importación lo lee " + comoLee(c.como) +
                              ": necesita " + queNecesita(c.como)});
    }
  }
  return defectos;
}

std::string errorSolucion(const dbf::Table& soluc, const std::vector<DefectoSolucion>& defectos) {
  if (defectos.empty()) return {};
  if (defectos.front().campo.empty()) return defectos.front().texto;
  std::string texto = "El archivo " + soluc.path() + " no se puede importar: ";
  for (std::size_t i = 0; i < defectos.size(); ++i)
    texto += (i == 0 ? "" : "; ") + defectos[i].texto;
  return texto + ".";
}

void comprobarSolucion(dbf::Table& soluc) {
  soluc.open();
  try {
    comprobar(soluc);
  } catch (...) {
    soluc.close();
    throw;
  }
  soluc.close();
  comprobarIntercambio(kPROFT);
  comprobarIntercambio(kASIGVALT);
}

}  // namespace procesos
