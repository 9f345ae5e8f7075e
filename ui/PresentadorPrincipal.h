#pragma once
// TExportarDatos, the main dialog, without its window: start-up and host mode, the
// GESCEN folder and drive, the centre list, the two runs, the keys and the closing.
// A front end forwards the user's input here and draws what its VistaPrincipal is told.
// The runs report how they ended; whether the dialog closes after one is decided here.

#include <string>
#include <string_view>
#include <vector>

#include "gescen/Catalogo.h"
#include "procesos/EstadoPrograma.h"
#include "ui/ModeloCarpetas.h"
#include "ui/ModeloUnidades.h"
#include "ui/VistaPrincipal.h"

namespace procesos {
enum class ResultadoImportacion;
}

namespace ui {

class PresentadorPrincipal {
 public:
  // `argumentos`: the command-line arguments, without the program's name.
  PresentadorPrincipal(VistaPrincipal& vista, std::vector<std::string> argumentos);
  ~PresentadorPrincipal();
  PresentadorPrincipal(const PresentadorPrincipal&) = delete;
  PresentadorPrincipal& operator=(const PresentadorPrincipal&) = delete;

  // The creation handler: result flag 0, host mode, the staging from the working
  // directory, the folder list on C:\GC, the folder box and the centre list. An error
  // is shown and skips the remaining steps.
  void FormCreate();

  // The user opened a folder of the list (double click), or chose a drive.
  void abrirCarpeta(const std::string& carpeta);
  void elegirUnidad(char unidad);

  void BExportarClick();
  void BImportarClick();
  void Button1Click();
  // F1 anywhere in the dialog.
  void teclaF1();

  // The button Enter presses when the focused control does not use the key itself:
  // BExportar, or BImportar while the export pane is hidden.
  std::string_view botonPorDefecto() const;

  // The close handler, whatever closes the dialog. In host mode the result flag goes
  // into the host's settings file first; false when that file cannot be written (the
  // error is shown and the dialog must stay open).
  bool FormClose();

  const procesos::EstadoPrograma& estado() const { return estado_; }
  procesos::EstadoPrograma& estado() { return estado_; }
  gescen::Catalogo& tablas() { return tablas_; }
  const ModeloCarpetas& carpetas() const { return carpetas_; }
  const ModeloUnidades& unidades() const { return unidades_; }
  bool exportarVisible() const { return exportarVisible_; }
  bool importarVisible() const { return importarVisible_; }

 private:
  void modoAnfitrion();
  void mostrarCarpeta();
  void irACarpeta(const std::string& carpeta);
  void ListaDirectoriosChange();
  void copiarDatosGc();
  void llenarCentros();
  template <class Ejecucion>
  void ejecutar(Ejecucion&& ejecucion, bool importacion);
  void ofrecerProblemas(const std::string& error, bool importacion);
  void trasImportacion(procesos::ResultadoImportacion resultado);

  VistaPrincipal& vista_;
  std::vector<std::string> argumentos_;
  procesos::EstadoPrograma estado_;
  // The twelve table handles (wwTableAsignat ... wwTableOCUPA).
  gescen::Catalogo tablas_;
  ModeloCarpetas carpetas_;
  ModeloUnidades unidades_;
  bool exportarVisible_ = true;
  bool importarVisible_ = true;
};

}  // namespace ui
