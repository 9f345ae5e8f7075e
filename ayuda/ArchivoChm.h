#pragma once
// A compiled HTML help file (.chm), read with chmlib: the files it holds, its contents,
// the page it opens at and the page of each help context.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ayuda/ContenidoHhc.h"
#include "ayuda/SistemaChm.h"

struct chmFile;

namespace ayuda {

// Why a help file cannot be read, in Spanish and without the file's name (the caller
// puts it in front: "No se puede leer el archivo de ayuda X: <what()>").
class ErrorChm : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ArchivoChm {
 public:
  // Opens the file and reads what it says of itself; throws ErrorChm when it cannot be
  // opened, is no help file, or holds no file of its own.
  explicit ArchivoChm(const std::string& ruta);
  ~ArchivoChm();
  ArchivoChm(const ArchivoChm&) = delete;
  ArchivoChm& operator=(const ArchivoChm&) = delete;

  const std::string& ruta() const { return ruta_; }

  // The help file's own files, pages, pictures, style sheets and contents, as
  // RutaInterna writes them ("/sub/tema.htm"), in the file's order; not the compiler's
  // internal ones ("/#SYSTEM", "/$OBJINST", "::DataSpace/...") nor folders.
  const std::vector<std::string>& archivos() const { return archivos_; }

  // The bytes of a file inside, any one, internal ones too; its path is taken as
  // RutaInterna takes it and without regard to case. Nothing when there is no such file
  // or it cannot be read whole.
  std::optional<std::string> leer(std::string_view ruta) const;

  const SistemaChm& sistema() const { return sistema_; }

  // The contents file's entries (the one /#SYSTEM names, or else the first .hhc file).
  const std::vector<EntradaContenido>& contenido() const { return contenido_; }

  // The page the help opens at: the default topic of /#SYSTEM when the file holds it,
  // else the first page of the contents, else the first HTML file.
  const std::string& temaInicial() const { return temaInicial_; }

  // Every help context with the file inside that it opens (with its "#ancla"), in
  // /#IVB's order; contexts whose page the file does not hold are left out.
  const std::vector<std::pair<std::uint32_t, std::string>>& contextos() const { return contextos_; }
  // The page of one context; "" when the file has none for it.
  std::string temaDeContexto(std::uint32_t contexto) const;

 private:
  std::string ruta_;
  std::unique_ptr<chmFile, void (*)(chmFile*)> chm_;
  std::vector<std::string> archivos_;
  SistemaChm sistema_;
  std::vector<EntradaContenido> contenido_;
  std::string temaInicial_;
  std::vector<std::pair<std::uint32_t, std::string>> contextos_;
};

}  // namespace ayuda
