#pragma once
// The contents of a help file, from its contents file (.hhc): an HTML page of nested
// <UL> lists whose items are <OBJECT type="text/sitemap"> with <PARAM name="Name"> (the
// entry's text) and <PARAM name="Local"> (its page).

#include <string>
#include <string_view>
#include <vector>

namespace ayuda {

struct EntradaContenido {
  std::string nombre;  // UTF-8
  // The page inside the help file ("/sub/tema.htm", with "#ancla" when it has one); an
  // address of another kind ("http://...") as written; empty for a heading without page.
  std::string tema;
  std::vector<EntradaContenido> hijos;

  bool operator==(const EntradaContenido&) const = default;
};

// The entries of a contents file that lies in folder `carpeta` of the help file; its
// pages are relative to that folder, or written as "ms-its:ARCHIVO.chm::/tema.htm". The
// text is UTF-8 or else Windows-1252, with HTML entities. Anything that is not a
// sitemap object or a list is passed over.
std::vector<EntradaContenido> leerContenido(std::string_view hhc, std::string_view carpeta = "/");

// The page a "Local" value names, as in EntradaContenido::tema.
std::string temaDeLocal(std::string_view local, std::string_view carpeta);

}  // namespace ayuda
