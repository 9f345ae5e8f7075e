#pragma once
// A fresh C: drive with the process's working directory inside it, and the program's
// folder (where Zorvex.ini lies) of its own, for one test.

#include <filesystem>
#include <string>

#include "tests/support/TempDrive.h"
#include "ui/CarpetaPrograma.h"

class Escenario {
 public:
  Escenario() : cwdAntes_(std::filesystem::current_path()) {
    std::filesystem::create_directories(programa());
    ui::fijarCarpetaPrograma(programa());
    entrar("");
  }
  ~Escenario() {
    std::filesystem::current_path(cwdAntes_);
    ui::fijarCarpetaPrograma({});
  }
  Escenario(const Escenario&) = delete;
  Escenario& operator=(const Escenario&) = delete;

  // Native path of a Windows path relative to C:\ ("GC\\SUB").
  std::string nativa(std::string relativa) const {
    for (char& c : relativa)
      if (c == '\\') c = '/';
    return drive.native(relativa);
  }
  // Makes a folder of the C: drive (created when missing) the working directory.
  void entrar(const std::string& relativa) const {
    std::filesystem::create_directories(nativa(relativa));
    std::filesystem::current_path(nativa(relativa));
  }
  std::string programa() const { return nativa("PROGRAMA"); }
  std::string ajustes() const { return readFile(programa() + "/Zorvex.ini"); }
#ifndef _WIN32
  // Maps another drive letter onto a new folder; returns its native path. (A Windows
  // program cannot add a drive to the Wine prefix it runs in.)
  std::string crearUnidad(char letra) const {
    const std::filesystem::path raiz = std::filesystem::path(drive.driveC()).parent_path();
    const char minuscula = static_cast<char>(letra - 'A' + 'a');
    const std::string nombre = std::string("drive_") + minuscula;
    std::filesystem::create_directories(raiz / nombre);
    std::filesystem::create_directory_symlink(
        "../" + nombre, raiz / "dosdevices" / (std::string(1, minuscula) + ":"));
    return (raiz / nombre).string();
  }
#endif

  TempDrive drive;

 private:
  std::filesystem::path cwdAntes_;
};
