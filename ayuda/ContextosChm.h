#pragma once
// Help contexts: what a program asks for by number (F1 in a dialog) and the page each
// number opens. A help project maps names to numbers in [MAP] ("#define IDH_X 1") and
// names to pages in [ALIAS] ("IDH_X=tema.htm"); the compiled file keeps only numbers and
// pages, in /#IVB: a 4-byte byte count, then pairs of 4-byte little-endian numbers, a
// context number and the offset in /#STRINGS of its page's name, a text ended by a
// zero byte. The names [MAP] and [ALIAS] share are not kept.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ayuda {

// The pairs of /#IVB with the page names of /#STRINGS, in file order; a pair whose
// name lies outside /#STRINGS is left out.
std::vector<std::pair<std::uint32_t, std::string>> leerContextos(std::string_view ivb,
                                                                 std::string_view strings);

// The file inside the help file that a page name of /#STRINGS stands for, with its
// "#ancla" when it has one; "" when none. The name is the page as [ALIAS] gave it,
// relative ("tema.htm"), or with the folder of the project in front of it as the
// compiler found it ("/home/x/ayuda/sub/tema.htm", "C:\ayuda\tema.htm"): the longest
// tail of it that names a file of `archivos` (paths as RutaInterna makes them),
// without regard to case, as chmlib looks paths up.
std::string archivoDelAlias(std::string_view nombre, const std::vector<std::string>& archivos);

}  // namespace ayuda
