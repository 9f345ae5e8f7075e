#include "tools/generator/EscritorDbf.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace gen {
namespace {

void putLe(std::string& s, std::size_t at, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i)
    s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putBe(std::string& s, std::size_t at, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i)
    s[at + static_cast<std::size_t>(n - 1 - i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string mayusculas(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

}  // namespace

void escribirArchivo(const std::string& ruta, std::string_view datos) {
  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("No se puede crear el archivo " + ruta);
  f.write(datos.data(), static_cast<std::streamsize>(datos.size()));
  f.close();
  if (!f) throw std::runtime_error("No se puede escribir el archivo " + ruta);
}

TablaDbf::TablaDbf(std::string nombre, std::uint8_t version, std::uint8_t idioma,
                   std::vector<Campo> campos)
    : nombre_(std::move(nombre)),
      version_(version),
      idioma_(idioma),
      pagina_(dbf::codePageOfDriver(idioma)),
      campos_(std::move(campos)) {
  for (std::size_t i = 0; i < campos_.size(); ++i) {
    Campo& c = campos_[i];
    c.nombre = mayusculas(c.nombre);
    if (c.nombre.empty() || c.nombre.size() > 10 || c.ancho < 1 || c.ancho > 254)
      throw std::logic_error("Campo no válido " + c.nombre + " en " + nombre_);
    if (!porNombre_.emplace(c.nombre, static_cast<int>(i)).second)
      throw std::logic_error("Campo repetido " + c.nombre + " en " + nombre_);
    desplazamientos_.push_back(longitud_);
    longitud_ += c.ancho;
  }
  blanco_.assign(static_cast<std::size_t>(longitud_), ' ');
}

void TablaDbf::nuevo() {
  cuerpo_ += blanco_;
  ++registros_;
}

void TablaDbf::borrar() {
  if (registros_ == 0) throw std::logic_error("No hay registro que borrar en " + nombre_);
  char& flag = cuerpo_[cuerpo_.size() - static_cast<std::size_t>(longitud_)];
  if (flag != '*') ++borrados_;
  flag = '*';
}

int TablaDbf::campo(std::string_view nombre) const {
  auto it = porNombre_.find(mayusculas(nombre));
  if (it == porNombre_.end())
    throw std::logic_error("La tabla " + nombre_ + " no tiene el campo " + std::string(nombre));
  return it->second;
}

char* TablaDbf::celda(std::string_view nombre, int& ancho, const Campo*& c) {
  if (registros_ == 0) throw std::logic_error("No hay registro en curso en " + nombre_);
  int i = campo(nombre);
  c = &campos_[static_cast<std::size_t>(i)];
  ancho = c->ancho;
  std::size_t inicio = cuerpo_.size() - static_cast<std::size_t>(longitud_);
  return &cuerpo_[inicio + static_cast<std::size_t>(desplazamientos_[static_cast<std::size_t>(i)])];
}

void TablaDbf::bytes(std::string_view nombre, std::string_view raw) {
  int ancho;
  const Campo* c;
  char* p = celda(nombre, ancho, c);
  std::size_t n = std::min<std::size_t>(raw.size(), static_cast<std::size_t>(ancho));
  std::memcpy(p, raw.data(), n);
  std::memset(p + n, ' ', static_cast<std::size_t>(ancho) - n);
}

void TablaDbf::texto(std::string_view nombre, std::string_view utf8) {
  bool ascii = true;
  for (char ch : utf8)
    if (static_cast<unsigned char>(ch) >= 0x80) ascii = false;
  if (ascii) {
    bytes(nombre, utf8);
  } else {
    bytes(nombre, dbf::encode(pagina_, utf8));
  }
}

void TablaDbf::entero(std::string_view nombre, std::int64_t v) {
  int ancho;
  const Campo* c;
  char* p = celda(nombre, ancho, c);
  char buf[64];
  int n = c->decimales > 0
              ? std::snprintf(buf, sizeof buf, "%*.*f", ancho, c->decimales, static_cast<double>(v))
              : std::snprintf(buf, sizeof buf, "%*lld", ancho, static_cast<long long>(v));
  if (n != ancho)
    throw std::logic_error("El valor no cabe en el campo " + c->nombre + " de " + nombre_);
  std::memcpy(p, buf, static_cast<std::size_t>(ancho));
}

void TablaDbf::real(std::string_view nombre, double v) {
  int ancho;
  const Campo* c;
  char* p = celda(nombre, ancho, c);
  char buf[64];
  int n = std::snprintf(buf, sizeof buf, "%*.*f", ancho, c->decimales, v);
  if (n != ancho)
    throw std::logic_error("El valor no cabe en el campo " + c->nombre + " de " + nombre_);
  std::memcpy(p, buf, static_cast<std::size_t>(ancho));
}

void TablaDbf::fecha(std::string_view nombre, Fecha f) {
  int ancho;
  const Campo* c;
  char* p = celda(nombre, ancho, c);
  if (f.vacia()) {
    std::memset(p, ' ', static_cast<std::size_t>(ancho));
    return;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", f.anyo, f.mes, f.dia);
  std::memcpy(p, buf, 8);
}

void TablaDbf::logico(std::string_view nombre, bool v) {
  int ancho;
  const Campo* c;
  char* p = celda(nombre, ancho, c);
  *p = v ? 'T' : 'F';
}

void TablaDbf::memo(std::string_view nombre, std::uint32_t bloque) {
  int ancho;
  const Campo* c;
  char* p = celda(nombre, ancho, c);
  if (bloque == 0) {
    std::memset(p, ' ', static_cast<std::size_t>(ancho));
    return;
  }
  char buf[32];
  int n = std::snprintf(buf, sizeof buf, "%*u", ancho, bloque);
  if (n != ancho) throw std::logic_error("Bloque de memo fuera de rango en " + nombre_);
  std::memcpy(p, buf, static_cast<std::size_t>(ancho));
}

std::string TablaDbf::contenido() const {
  const std::size_t cabecera = 32 + 32 * campos_.size() + 1;
  std::string out(cabecera, '\0');
  out[0] = static_cast<char>(version_);
  out[1] = static_cast<char>(actualizado_.anyo - 1900);
  out[2] = static_cast<char>(actualizado_.mes);
  out[3] = static_cast<char>(actualizado_.dia);
  putLe(out, 4, registros_, 4);
  putLe(out, 8, static_cast<std::uint32_t>(cabecera), 2);
  putLe(out, 10, static_cast<std::uint32_t>(longitud_), 2);
  out[28] = static_cast<char>(indicadores_);
  out[29] = static_cast<char>(idioma_);
  const bool fox = version_ == kFoxPro2Memo;
  std::size_t at = 32;
  for (std::size_t i = 0; i < campos_.size(); ++i) {
    const Campo& c = campos_[i];
    std::memcpy(&out[at], c.nombre.data(), c.nombre.size());
    out[at + 11] = c.tipo;
    // FoxPro keeps the field's place in the record; dBase III leaves it zero.
    if (fox) putLe(out, at + 12, static_cast<std::uint32_t>(desplazamientos_[i]), 4);
    out[at + 16] = static_cast<char>(c.ancho);
    out[at + 17] = static_cast<char>(c.decimales);
    at += 32;
  }
  out[at] = 0x0D;
  out.reserve(out.size() + cuerpo_.size() + 1);
  out += cuerpo_;
  out += '\x1A';
  return out;
}

void TablaDbf::escribir(const std::string& ruta) const { escribirArchivo(ruta, contenido()); }

MemoFpt::MemoFpt(CodePage pagina, std::uint16_t tamBloque)
    : pagina_(pagina), tamBloque_(tamBloque) {
  if (tamBloque_ < 32 || 512 % tamBloque_ != 0)
    throw std::logic_error("Tamaño de bloque de memo no válido");
  datos_.assign(512, '\0');
}

std::uint32_t MemoFpt::siguienteBloque() const {
  return static_cast<std::uint32_t>(datos_.size() / tamBloque_);
}

std::uint32_t MemoFpt::anadir(std::string_view utf8) {
  std::string texto = dbf::encode(pagina_, utf8);
  std::uint32_t bloque = siguienteBloque();
  std::size_t at = datos_.size();
  datos_.append(8, '\0');
  putBe(datos_, at, 1, 4);
  putBe(datos_, at + 4, static_cast<std::uint32_t>(texto.size()), 4);
  datos_ += texto;
  std::size_t resto = datos_.size() % tamBloque_;
  if (resto != 0) datos_.append(tamBloque_ - resto, '\0');
  ++memos_;
  return bloque;
}

std::string MemoFpt::contenido() const {
  std::string out = datos_;
  putBe(out, 0, siguienteBloque(), 4);
  putBe(out, 6, tamBloque_, 2);
  return out;
}

void MemoFpt::escribir(const std::string& ruta) const { escribirArchivo(ruta, contenido()); }

}  // namespace gen
