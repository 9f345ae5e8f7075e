#pragma once
// Application-wide settings of the program: its title, its help file, the folder that
// holds the program file, and the fonts it brings along.

#include <QString>

namespace tzv {

// Caption of every message box the program shows.
inline constexpr const char* kTituloAplicacion = "TransZorvexValencia";
// Help file, looked up in the program's folder.
inline constexpr const char* kArchivoAyuda = "GESCEN.chm";
// Settings file of the host, in the program's folder.
inline constexpr const char* kArchivoAjustes = "Zorvex.ini";

// The folder of the program file. Tests point it at a folder of their own, so that the
// files the program keeps beside itself are not written into the build.
QString CarpetaPrograma();
void FijarCarpetaPrograma(const QString& carpeta);

// Registers the "MS Sans Serif" of Debian's fonts-wine, which lies outside the system's
// font folders, so that the dialog font resolves to it. Returns false when the font
// file is not there (another sans-serif font is used then).
bool RegistrarFuentes();

}  // namespace tzv
