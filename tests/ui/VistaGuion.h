#pragma once
// A scripted main dialog: it records what the presenter shows and asks, and answers
// with what the test set. Every box is acknowledged at once.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/VistaPrincipal.h"

struct VistaGuion : ui::VistaPrincipal {
  // What the user has chosen in the two boxes the runs read.
  std::string centroElegido;
  std::string idiomaElegido = "VALENCIÁ";
  // What the teacher check answers, and what it does to PROFT.DBF meanwhile.
  std::function<bool()> alControlProfesores = [] { return false; };

  // What was shown.
  std::optional<std::uint32_t> incrustada;
  bool exportarVisible = true, importarVisible = true;
  std::string carpetaLista;  // the folder list's current folder
  std::vector<ui::FilaCarpeta> filas;
  char unidad = 0;
  std::string textoCuadro;
  std::vector<std::string> listaCentros;
  std::vector<std::string> copiadas;  // folders staged, in order
  std::vector<std::string> mensajes, errores;
  std::vector<std::string> ayudas;  // "contenido" or "contexto N"
  bool reloj = false;
  bool relojEnError = false;  // the hourglass was up when the last error was shown
  int cierres = 0;
  std::size_t mensajesAlCerrar = 0;  // boxes shown before the dialog was last closed

  void incrustar(std::uint32_t ventana) override { incrustada = ventana; }
  void mostrarPaneles(bool e, bool i) override {
    exportarVisible = e;
    importarVisible = i;
  }
  void mostrarCarpetas(const ui::ModeloCarpetas& c) override {
    carpetaLista = c.directorio();
    filas = c.filas();
  }
  void mostrarUnidades(const ui::ModeloUnidades& u) override { unidad = u.seleccionada(); }
  void textoCarpeta(const std::string& t) override { textoCuadro = t; }
  void centros(const std::vector<std::string>& c) override { listaCentros = c; }
  std::string centro() const override { return centroElegido; }
  std::string idioma() const override { return idiomaElegido; }
  void error(const std::string& t) override {
    relojEnError = reloj;
    errores.push_back(t);
  }
  void ayudaContenido() override { ayudas.push_back("contenido"); }
  void ayudaContexto(int c) override { ayudas.push_back("contexto " + std::to_string(c)); }
  void datosCopiados(const std::string& carpeta) override { copiadas.push_back(carpeta); }

  void mensaje(const std::string& t) override { mensajes.push_back(t); }
  void cursorEspera(bool activo) override { reloj = activo; }
  void cerrarDialogo() override {
    ++cierres;
    mensajesAlCerrar = mensajes.size();
  }
  bool controlProfesores() override { return alControlProfesores(); }
};
