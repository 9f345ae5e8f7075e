#pragma once
// A small writer of dBase tables and FoxPro memo files, byte by byte, in the dialects
// that school-management programs leave behind: dBase III (0x03) and FoxPro 2.x with a
// memo file (0xF5). Records are built in memory and written in one piece, so that large
// tables are written quickly.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dbf/CodePage.h"

namespace gen {

using dbf::CodePage;

struct Fecha {
  int anyo = 0, mes = 0, dia = 0;
  bool vacia() const { return anyo == 0; }
};

struct Campo {
  std::string nombre;
  char tipo = 'C';  // C, N, F, D, L, M
  int ancho = 1;
  int decimales = 0;
};

// Version bytes of the two dialects written.
inline constexpr std::uint8_t kDBase3 = 0x03;
inline constexpr std::uint8_t kFoxPro2Memo = 0xF5;

class TablaDbf {
 public:
  TablaDbf(std::string nombre, std::uint8_t version, std::uint8_t idioma,
           std::vector<Campo> campos);

  const std::string& nombre() const { return nombre_; }
  const std::vector<Campo>& campos() const { return campos_; }
  CodePage paginaCodigos() const { return pagina_; }
  int longitudRegistro() const { return longitud_; }

  // Table flags byte of the header (bit 0: a production index goes with the table).
  void setIndicadores(std::uint8_t f) { indicadores_ = f; }
  // Date of last update written in the header.
  void setFechaActualizacion(Fecha f) { actualizado_ = f; }

  // Starts a new record at the end, every field blank.
  void nuevo();
  // Marks the current record deleted.
  void borrar();
  std::uint32_t registros() const { return registros_; }
  std::uint32_t borrados() const { return borrados_; }

  // Field index by name; throws std::logic_error when the table has no such field.
  int campo(std::string_view nombre) const;

  // Setters on the current record, by field name. Text is UTF-8, converted to the
  // table's code page and cut to the field's width.
  void texto(std::string_view campo, std::string_view utf8);
  void entero(std::string_view campo, std::int64_t v);
  void real(std::string_view campo, double v);
  void fecha(std::string_view campo, Fecha f);
  void logico(std::string_view campo, bool v);
  void memo(std::string_view campo, std::uint32_t bloque);  // 0 leaves it blank
  // Bytes already in the table's code page, padded or cut to the width.
  void bytes(std::string_view campo, std::string_view raw);

  // Header, records and end-of-file mark; throws std::runtime_error on failure.
  void escribir(const std::string& ruta) const;
  std::string contenido() const;

 private:
  char* celda(std::string_view campo, int& ancho, const Campo*& c);

  std::string nombre_;
  std::uint8_t version_;
  std::uint8_t idioma_;
  std::uint8_t indicadores_ = 0;
  Fecha actualizado_{2024, 9, 13};
  CodePage pagina_;
  std::vector<Campo> campos_;
  std::vector<int> desplazamientos_;
  std::unordered_map<std::string, int> porNombre_;
  int longitud_ = 1;
  std::string blanco_;
  std::string cuerpo_;
  std::uint32_t registros_ = 0;
  std::uint32_t borrados_ = 0;
};

// A FoxPro memo file (.fpt): a 512-byte header with the next free block and the block
// size (big-endian), then one run of blocks per memo: type 1 (text) and the length,
// both big-endian, followed by the text, padded to whole blocks.
class MemoFpt {
 public:
  explicit MemoFpt(CodePage pagina, std::uint16_t tamBloque = 64);
  // Stores a UTF-8 text; returns its first block number.
  std::uint32_t anadir(std::string_view utf8);
  std::uint32_t memos() const { return memos_; }
  std::uint32_t siguienteBloque() const;
  void escribir(const std::string& ruta) const;
  std::string contenido() const;

 private:
  CodePage pagina_;
  std::uint16_t tamBloque_;
  std::string datos_;  // the whole file, header included
  std::uint32_t memos_ = 0;
};

void escribirArchivo(const std::string& ruta, std::string_view datos);

}  // namespace gen
