#pragma once
// The record of a copy back into the GESCEN folder, kept in the staging folder while
// the copy back works, so that a run killed half-way is finished or undone at the next
// start. It is written whole under another name, flushed and renamed into place: it is
// either the old record or the new one, never half of one.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace procesos {

inline constexpr const char* kRegistroDevolucion = "C:\\ZORVTMP\\VALENCIA\\DEVOLUCION.TZV";

// One GESCEN table being replaced. Paths are native.
struct ArchivoDevuelto {
  std::string nuevo;    // the new file, beside the table, under a temporary name
  std::string destino;  // the GESCEN table
  std::string copia;    // the old table kept in the backup folder; empty when there was none
  std::uint64_t tamano = 0;
  std::uint64_t suma = 0;  // checksum of the new file's bytes (sumaDeBytes)
};

struct RegistroDevolucion {
  // The kind of run that wrote the record, for what the recovery says.
  enum class Clase { Importacion, Restauracion };
  enum class Estado {
    Preparando,  // the new files and the backup are being written: undo on a restart
    Cambiando,   // both are whole and flushed, the renames may have begun: finish them
  };
  Clase clase = Clase::Importacion;
  Estado estado = Estado::Preparando;
  std::string carpetaGC;                  // as the user chose it, for the messages
  std::string copias;                     // the backup folder once whole
  std::string provisional;                // the backup folder while it is written
  std::vector<ArchivoDevuelto> archivos;  // each new file's name is its run's own
};

// Checksum of a run of bytes, carried on from `suma` for a file read in blocks (each a
// multiple of 32 bytes long but the last; the same blocks give the same sum); start
// with kSumaInicial. It tells a whole new
// file from one cut short or another file, not a forged one.
inline constexpr std::uint64_t kSumaInicial = 0xCBF29CE484222325ull;
std::uint64_t sumaDeBytes(const char* bytes, std::size_t n, std::uint64_t suma = kSumaInicial);

// A record file that is not such a record.
class RegistroDanadoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the record and flushes it; throws gescen::EntradaSalidaError.
void guardarRegistro(const RegistroDevolucion& registro);
// The record left by a copy back that did not end; nothing when there is none. Throws
// RegistroDanadoError, or gescen::EntradaSalidaError when the file cannot be read.
std::optional<RegistroDevolucion> leerRegistro();
// Removes the record: the copy back is over. A record that cannot be removed stays for
// the next start, which finds its swap ended and says so.
void borrarRegistro() noexcept;

}  // namespace procesos
