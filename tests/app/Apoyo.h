#pragma once
// What the dialog tests share: a throw-away drive with a working directory and a
// program folder of their own, and a scripted user who acknowledges every box.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class QWidget;

#include "qt/Mensajes.h"
#include "tests/support/TempDrive.h"

namespace prueba {

// One box the program showed, and whether the hourglass was up at that moment.
struct Aviso {
  qt::TipoAviso tipo;
  QString texto;
  bool reloj;
};

// While it lives, boxes are not shown but recorded, each acknowledged at once; a
// function may act at each box before it is acknowledged.
class Guion {
 public:
  Guion();
  ~Guion();
  Guion(const Guion&) = delete;
  Guion& operator=(const Guion&) = delete;

  QList<Aviso> avisos;
  std::function<void(const Aviso&)> alAviso;

  QStringList textos() const;
  QStringList errores() const;
};

// A fresh C: drive, the process working directory inside it, and the program's folder
// (where Zorvex.ini and GESCEN.chm lie) in a temporary folder.
class Escenario {
 public:
  Escenario();
  ~Escenario();
  Escenario(const Escenario&) = delete;
  Escenario& operator=(const Escenario&) = delete;

  // Native path of a Windows path relative to C:\ ("GC\\SUB").
  QString nativa(const QString& relativa) const;
  // Creates a folder of the C: drive ("GC", "OTRA\\X").
  void crearCarpeta(const QString& relativa) const;
  // Makes a folder of the C: drive the process's working directory.
  void entrar(const QString& relativa) const;
  QString carpetaPrograma() const { return programa_.path(); }
  // Text of the program's Zorvex.ini, or a null text when there is none.
  QString ajustes() const;
  // Maps another drive letter onto a new folder of the prefix.
  QString crearUnidad(char letra) const;

  TempDrive drive;

 private:
  QTemporaryDir programa_;
  QString cwdAntes_;
};

// Puts the help file compiled from tests/ayuda/proyecto in the program's folder as
// GESCEN.chm; returns its path there.
QString ponerAyuda(const Escenario& e);

// Hides the program's help window, when there is one, so that a test sees whether help
// is shown again; then makes the window of `activar` the active one again, as it was
// before help took the focus.
void ocultarAyuda(QWidget* activar = nullptr);

}  // namespace prueba
