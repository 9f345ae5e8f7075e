// Shows both check dialogs with some data and saves what they look like as PNG files
// in the folder given as argument, for a person to compare with the dialogs' layout.
// Run on an X server (ventanas_x11.sh starts one). With TZV_ESPERAR set, each dialog,
// once shown, prints "mostrado TITLE" and stays until a line comes on standard input,
// so that another program can look at its window.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

#include "qt/dialogos/ControlPlantilla.h"
#include "qt/dialogos/ControlProfes.h"
#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/RejillaDatos.h"
#include "tests/import_dialogos/Guion.h"
#include "tests/import_dialogos/Tablas.h"
#include "tests/support/TempDrive.h"

using namespace qt;

namespace {

bool guardar(QWidget& w, const QString& carpeta, const QString& nombre) {
  w.show();
  w.activateWindow();
  if (!QTest::qWaitForWindowExposed(&w)) return false;
  // Without a window manager the window may never be active: drawn all the same.
  (void)QTest::qWaitForWindowActive(&w);
  QCoreApplication::processEvents();
  const QString ruta = QDir(carpeta).filePath(nombre);
  const bool ok = w.grab().save(ruta);
  std::printf("%s %s\n", ok ? "saved" : "NOT SAVED", qPrintable(ruta));
  return ok;
}

// Lets another program look at the window while it is shown.
void esperar(QWidget& w) {
  if (qEnvironmentVariableIsEmpty("TZV_ESPERAR")) return;
  QCoreApplication::processEvents();
  std::printf("mostrado %s\n", qPrintable(w.windowTitle()));
  std::fflush(stdout);
  char linea[16];
  (void)!std::fgets(linea, sizeof linea, stdin);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: captura_dialogos OUTPUT_FOLDER\n");
    return 2;
  }
  const QString carpeta = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(carpeta);
  prepararAplicacion();
  TempDrive unidad;

  std::vector<Profesor> profesores;
  const char* nombres[] = {"GARCIA LOPEZ, ANA",      "MARTINEZ SORIANO, JOSEP",
                           "PEREZ VIDAL, MARIA",     "SANCHIS BORRAS, VICENT",
                           "FERRER LLORET, ROSA",    "NAVARRO GIL, PERE",
                           "MOLINA CASTELLO, LAURA", "BOSCH RIBES, JOAN"};
  const char* departamentos[] = {"MATEMÀTIQUES", "CASTELLÀ", "ANGLÉS", "VALENCIÀ",
                                 "CIÈNCIES NATURALS"};
  for (int i = 0; i < 30; ++i)
    profesores.push_back({"P" + std::to_string(i + 1), nombres[i % 8], departamentos[i % 5],
                          i % 7 == 3 ? 0 : 20000000 + 137 * i});
  crearProft(profesores);
  crearPlantilla({{"08:00", "08:55"},
                  {"08:55", "09:50"},
                  {"09:50", "10:45"},
                  {"11:15", "12:10"},
                  {"12:10", "13:05"},
                  {"13:05", "14:00"},
                  {"15:30", "16:25"},
                  {"16:25", "17:20"}});

  bool ok = true;
  {
    TControlProfesores d;
    ok &= guardar(d, carpeta, QStringLiteral("ControlProfesores.png"));
    esperar(d);
    // A number being typed into the first teacher without one.
    d.ProftDBGrid->setCurrentIndex(d.wwDataSource1->index(3, 2));
    teclear(d.ProftDBGrid, QStringLiteral("2345"));
    ok &= guardar(d, carpeta, QStringLiteral("ControlProfesores-tecleando.png"));
  }
  {
    TControlPlantilla d;
    ok &= guardar(d, carpeta, QStringLiteral("ControlPlantilla.png"));
    esperar(d);
  }
  return ok ? 0 : 1;
}
