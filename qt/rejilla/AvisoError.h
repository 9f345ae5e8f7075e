#pragma once
// The error display of the grid, the navigator and the dialogs built on them: the
// program's error box (qt::MostrarError), owned by the window the error comes from.
// Tests can answer it by setting a function in its place.

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace qt {

using AvisoError = std::function<void(QWidget* padre, const QString& texto)>;

// While a function is set, errors go to it (with the text as it stands) instead of a
// box; an empty function shows boxes again.
void fijarAvisoError(AvisoError aviso);

void mostrarErrorDeRejilla(QWidget* padre, const QString& texto);

// Runs an event handler; an error it raises ends the handler and reaches the error
// display, instead of crossing Qt's event loop.
template <class F>
void protegido(QWidget* padre, F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    mostrarErrorDeRejilla(padre, QString::fromUtf8(e.what()));
  }
}

}  // namespace qt
