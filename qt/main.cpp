// TransZorvexValencia: the main dialog TExportarDatos, stand-alone or inside the window
// of the timetable generator that launched it with two arguments.

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gescen/ProgramaAbierto.h"
#include "plat/Platform.h"
#include "qt/Ayuda.h"
#include "qt/ExportDatos.h"
#include "qt/Mensajes.h"
#include "qt/Programa.h"
#include "ui/UnaCopia.h"

// From project(VERSION) through the build's tzv_version target.
#ifndef TZV_VERSION
#error "TZV_VERSION is not defined: link the target to tzv_version"
#endif

int main(int argc, char* argv[]) {
  // Answered before QApplication exists, so it needs no display and touches no data.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("transzorvex " TZV_VERSION);
    return 0;
  }

  // The arguments as given: QApplication takes out the ones it knows, but the host's
  // two arguments are counted as they were passed.
  QStringList argumentos;
  std::vector<std::string> textos;
  for (int i = 1; i < argc; ++i) {
    argumentos << QString::fromLocal8Bit(argv[i]);
    textos.push_back(argumentos.back().toStdString());
  }

  plat::prepareHeap();
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QString::fromUtf8(ui::kTituloAplicacion));
  qt::Ayuda::instancia().setArchivo(QString::fromUtf8(ui::kArchivoAyuda));
  qt::registrarFuentes();

  // One copy of the program per work folder: a second one touches nothing and ends.
  const gescen::ProgramaAbierto programa;
  if (!ui::primeraCopia(programa, textos, qt::mostrarAvisoArranque)) return 1;

  // An import killed while it put the timetables back is ended before anything else.
  qt::terminarImportacionInterrumpida();

  qt::TExportarDatos dialogo(argumentos);
  // Inside a foreign window, closing the last window does not end the event loop.
  QObject::connect(&dialogo, &qt::TExportarDatos::cerrado, &app, [] { QCoreApplication::exit(0); });
  dialogo.FormCreate();
  dialogo.show();
  return app.exec();
}
