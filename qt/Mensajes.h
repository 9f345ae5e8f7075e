#pragma once
// The two kinds of box the program shows: a message with one OK button, and the error
// display (error icon, the error's text with a full stop at its end). Both carry the
// application title as caption and are modal. Their owner, and that of the import's
// check dialogs, is the one ui::DuenoDeAvisos gives from the program's state.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "procesos/EstadoPrograma.h"
#include "ui/DuenoAvisos.h"

class QWidget;
class QWindow;

namespace qt {

enum class TipoAviso { Mensaje, Error };

// `padre`: a widget of the window the box is shown from; nullptr before the main dialog
// exists.
void mostrarMensaje(QWidget* padre, const QString& texto);
void mostrarError(QWidget* padre, const QString& texto);

// A box of the program's start, before the dialog exists (ui::AvisoArranque): owned
// by the host's window when the program was started inside one.
void mostrarAvisoArranque(const std::string& texto, bool error,
                          const procesos::EstadoPrograma& estado);

// Ends an import that a killed run of the program left half way through putting the
// timetables back, and says in a box what was done (ui::TerminarImportacionInterrumpida).
void terminarImportacionInterrumpida();

// The main dialog and the program's state that it keeps, which the owners of the boxes
// follow. Without one (before it exists, after it goes, in suites that show boxes or
// check dialogs without it) the program counts as stand-alone.
void fijarDialogoPrincipal(QWidget* dialogo, const procesos::EstadoPrograma* estado);
// The main dialog is going: its state no longer counts.
void olvidarDialogoPrincipal(const QWidget* dialogo);

// The owner of a box or dialog about to be shown from `desde` (nullptr: no window):
// the window to give it as parent, or the host's window, which takes it through
// entregar. Lives until the box or dialog has gone.
class DuenoDeCaja {
 public:
  explicit DuenoDeCaja(QWidget* desde);
  DuenoDeCaja(const procesos::EstadoPrograma& estado, ui::OrigenAviso origen, QWidget* ventana);
  ~DuenoDeCaja();
  DuenoDeCaja(const DuenoDeCaja&) = delete;
  DuenoDeCaja& operator=(const DuenoDeCaja&) = delete;

  QWidget* padre() const { return padre_; }
  // The host's window when it owns the box; nullptr otherwise.
  QWindow* anfitrion() const { return anfitrion_.get(); }
  // Gives the box or dialog, made with padre() as parent, to the host's window when
  // that owns it.
  void entregar(QWidget* caja) const;

 private:
  QWidget* padre_ = nullptr;
  std::unique_ptr<QWindow> anfitrion_;
};

// While a function is set, boxes are not shown: each one goes to the function with its
// text as it would be shown, and returning stands for the user's OK. Tests script the
// user with it; an empty function shows boxes again.
using Contestador = std::function<void(TipoAviso tipo, const QString& texto)>;
void fijarContestador(Contestador contestador);

}  // namespace qt
