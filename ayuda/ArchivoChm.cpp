#include "ayuda/ArchivoChm.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "ayuda/ContextosChm.h"
#include "ayuda/TextoChm.h"

namespace ayuda {
namespace {

void cerrarChm(chmFile* h) {
  if (h != nullptr) chm_close(h);
}

// chmlib says only whether it could open the file: the reason is looked for first.
void comprobarLectura(const std::string& ruta) {
  std::error_code ec;
  if (std::filesystem::is_directory(ruta, ec)) throw ErrorChm("es una carpeta");
  std::FILE* f = std::fopen(ruta.c_str(), "rb");
  if (f == nullptr) {
    switch (errno) {
      case ENOENT:
        throw ErrorChm("no existe");
      case EACCES:
      case EPERM:
        throw ErrorChm("no hay permiso para leerlo");
      default:
        throw ErrorChm("el sistema no deja abrirlo");
    }
  }
  std::fclose(f);
}

int anotar(chmFile*, chmUnitInfo* ui, void* contexto) {
  auto* archivos = static_cast<std::vector<std::string>*>(contexto);
  archivos->push_back(rutaInterna(ui->path));
  return CHM_ENUMERATOR_CONTINUE;
}

bool terminaEn(std::string_view ruta, std::string_view ext) {
  return ruta.size() > ext.size() &&
         std::equal(ext.rbegin(), ext.rend(), ruta.rbegin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

ArchivoChm::ArchivoChm(const std::string& ruta) : ruta_(ruta), chm_(nullptr, cerrarChm) {
  comprobarLectura(ruta);
  chm_.reset(chm_open(ruta.c_str()));
  if (chm_ == nullptr) throw ErrorChm("no es un archivo de ayuda compilado (.chm) o está dañado");
  chm_enumerate(chm_.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, anotar, &archivos_);
  if (archivos_.empty()) throw ErrorChm("está dañado o vacío: no contiene ninguna página");

  if (auto s = leer("/#SYSTEM")) sistema_ = leerSistema(*s);

  std::string hhc =
      sistema_.contenido.empty() ? std::string() : archivoDelAlias(sistema_.contenido, archivos_);
  for (const std::string& a : archivos_)
    if (hhc.empty() && terminaEn(a, ".hhc")) hhc = a;
  if (!hhc.empty())
    if (auto texto = leer(hhc)) contenido_ = leerContenido(*texto, carpetaDe(hhc));

  if (auto ivb = leer("/#IVB")) {
    const std::string strings = leer("/#STRINGS").value_or(std::string());
    for (auto& [contexto, nombre] : leerContextos(*ivb, strings)) {
      std::string tema = archivoDelAlias(nombre, archivos_);
      if (!tema.empty()) contextos_.emplace_back(contexto, std::move(tema));
    }
  }

  if (!sistema_.temaInicial.empty())
    temaInicial_ = archivoDelAlias(sistema_.temaInicial, archivos_);
  // The first page of the contents, in the order a reader meets them.
  auto primera = [](const std::vector<EntradaContenido>& entradas, auto& self) -> std::string {
    for (const EntradaContenido& e : entradas) {
      if (!e.tema.empty() && e.tema.front() == '/') return e.tema;
      if (std::string t = self(e.hijos, self); !t.empty()) return t;
    }
    return {};
  };
  if (temaInicial_.empty()) temaInicial_ = primera(contenido_, primera);
  for (const std::string& a : archivos_)
    if (temaInicial_.empty() && (terminaEn(a, ".htm") || terminaEn(a, ".html"))) temaInicial_ = a;
}

ArchivoChm::~ArchivoChm() = default;

namespace {

// Whether the compressed section's stream is in the file up to its last byte: chmlib
// reads a compressed file cut short as if the missing bytes were zeros.
bool seccionComprimidaEntera(chmFile* h) {
  chmUnitInfo ui{};
  if (chm_resolve_object(h, "::DataSpace/Storage/MSCompressed/Content", &ui) != CHM_RESOLVE_SUCCESS)
    return false;
  if (ui.length == 0) return true;
  unsigned char ultimo = 0;
  return chm_retrieve_object(h, &ui, &ultimo, static_cast<LONGUINT64>(ui.length - 1), 1) == 1;
}

}  // namespace

std::optional<std::string> ArchivoChm::leer(std::string_view ruta) const {
  const std::string interna = rutaInterna(ruta);
  chmUnitInfo ui{};
  if (chm_resolve_object(chm_.get(), interna.c_str(), &ui) != CHM_RESOLVE_SUCCESS)
    return std::nullopt;
  std::string datos(static_cast<std::size_t>(ui.length), '\0');
  if (ui.length == 0) return datos;
  const LONGINT64 leidos =
      chm_retrieve_object(chm_.get(), &ui, reinterpret_cast<unsigned char*>(datos.data()), 0,
                          static_cast<LONGINT64>(ui.length));
  if (leidos != static_cast<LONGINT64>(ui.length)) return std::nullopt;
  if (ui.space == CHM_COMPRESSED && !seccionComprimidaEntera(chm_.get())) return std::nullopt;
  return datos;
}

std::string ArchivoChm::temaDeContexto(std::uint32_t contexto) const {
  for (const auto& [c, tema] : contextos_)
    if (c == contexto) return tema;
  return {};
}

}  // namespace ayuda
