#pragma once
// Help in place of HTML Help: the program's help file, a .chm beside the program, shown
// in a CHM viewer when one is installed (xchm, which can open a context id, or
// kchmviewer, which opens the file at its start). Without the file or without a
// viewer a request does nothing and reports nothing.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tzv {

class Ayuda {
 public:
  static Ayuda& instancia();

  // The help file's name; it has no folder of its own: the program's folder is put
  // in front of it.
  void setArchivo(const QString& nombre);
  QString archivo() const { return archivo_; }
  QString rutaArchivo() const;

  // The table of contents, and the topic of a help context.
  void contenido();
  void contexto(int id);

  // How a viewer is started: a detached process, unless another function is set (tests
  // record the calls); an empty function restores the detached process.
  using Lanzador = std::function<bool(const QString& programa, const QStringList& argumentos)>;
  void setLanzador(Lanzador lanzador);

 private:
  Ayuda();
  void pedir(int contexto);

  QString archivo_;
  Lanzador lanzador_;
};

// From the first call on, F1 pressed without modifiers in any window of the program (the
// main dialog, the import's check dialogs) asks for the help context of the focused
// control, or of the window when the control has none. A window without a help
// context keeps the key.
void AtenderTeclaF1();

// The help context of a widget: its own, or the nearest one of the widgets holding it
// (property "contextoAyuda"); 0 when none has one.
int ContextoAyuda(const QWidget* widget);
void FijarContextoAyuda(QWidget* widget, int contexto);

}  // namespace tzv
