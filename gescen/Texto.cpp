#include "gescen/Texto.h"

#include "dbf/CodePage.h"

namespace gescen {

std::size_t longitudCaracter(unsigned char c) {
  if (c < 0xC0) return 1;
  if (c < 0xE0) return 2;
  if (c < 0xF0) return 3;
  return 4;
}

namespace {

// Byte offset of character `n` (0-based), or the text's size.
std::size_t offsetDe(std::string_view s, std::size_t n) {
  std::size_t at = 0;
  while (n > 0 && at < s.size()) {
    at += longitudCaracter(static_cast<unsigned char>(s[at]));
    --n;
  }
  return at < s.size() ? at : s.size();
}

bool blancoOControl(unsigned char c) { return c <= ' '; }

}  // namespace

std::string subcadena(std::string_view s, std::size_t desde, std::size_t cuantos) {
  if (desde < 1) desde = 1;
  std::size_t a = offsetDe(s, desde - 1);
  std::size_t b = offsetDe(s.substr(a), cuantos);
  return std::string(s.substr(a, b));
}

std::size_t longitud(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t at = 0; at < s.size(); at += longitudCaracter(static_cast<unsigned char>(s[at])))
    ++n;
  return n;
}

std::string ultimoCaracter(std::string_view s) {
  std::size_t n = longitud(s);
  return n == 0 ? std::string() : subcadena(s, n, 1);
}

std::string recortar(std::string_view s) {
  while (!s.empty() && blancoOControl(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && blancoOControl(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return std::string(s);
}

std::string sinBlancos(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

std::string valorAlmacenado(std::string_view s, std::size_t ancho) {
  using dbf::CodePage;
  std::string bytes = dbf::encode(CodePage::Cp1252, s);
  if (bytes.size() > ancho) bytes.resize(ancho);
  while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0')) bytes.pop_back();
  return dbf::decode(CodePage::Cp1252, bytes);
}

}  // namespace gescen
