#pragma once
// The program's help: its help file, a .chm beside the program, shown in the program's
// own help window, one for the whole program, made when help is first asked for and
// raised when asked again. A missing or unreadable file is said in an error box.

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace ayuda {
class ArchivoChm;
}

namespace qt {

class VentanaAyuda;

class Ayuda {
 public:
  static Ayuda& instancia();

  // The help file's name; it has no folder of its own: the program's folder is put
  // in front of it.
  void setArchivo(const QString& nombre);
  QString archivo() const { return archivo_; }
  QString rutaArchivo() const;

  // The help file's start page, with its contents beside it ("F1 AYUDA").
  void contenido(QWidget* desde = nullptr);
  // The page of a help context (F1); the start page when the file maps none to it.
  // `desde` is the window that asks: a box belongs to it, as the program's boxes do,
  // and the help window stays in front of it.
  void contexto(int id, QWidget* desde = nullptr);

  // The help window; nullptr until help is first shown.
  VentanaAyuda* ventana() const;

 private:
  Ayuda();
  void pedir(std::optional<int> contexto, QWidget* desde);
  // The help file, read again only when it is another one or has changed since;
  // nullptr after an error box.
  std::shared_ptr<const ayuda::ArchivoChm> leer(QWidget* desde);
  VentanaAyuda* ventanaDelante(QWidget* desde);

  QString archivo_;
  QPointer<VentanaAyuda> ventana_;
  // The file read last, and when and how large it was then.
  std::shared_ptr<const ayuda::ArchivoChm> leido_;
  QDateTime leidoModificado_;
  qint64 leidoTamano_ = -1;
};

// From the first call on, F1 pressed without modifiers in any window of the program (the
// main dialog, the import's check dialogs) asks for the help context of the focused
// control, or of the window when the control has none. A window without a help
// context keeps the key.
void atenderTeclaF1();

// The help context of a widget: its own, or the nearest one of the widgets holding it
// (property "contextoAyuda"); 0 when none has one.
int contextoAyuda(const QWidget* widget);
void fijarContextoAyuda(QWidget* widget, int contexto);

}  // namespace qt
