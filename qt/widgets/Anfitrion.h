#pragma once
// While the program's dialog lies inside another program's window (host mode), a box
// or dialog cannot belong to it: it belongs to the host's top-level window instead. And
// the program lives no longer than the host's window.

class QWidget;
class QWindow;

namespace qt {

// The host's top-level window when `w`'s window lies inside one; nullptr otherwise.
QWindow* ventanaAnfitrion(QWidget* w);

// Makes a box or dialog about to be shown belong to the host's window, application
// modal; does nothing when there is no host.
void darAlAnfitrion(QWidget* caja, QWindow* anfitrion);

// Ends the program's event loop (QCoreApplication::exit(0)) when the X11 window of
// `dialogo` is destroyed from outside, as X destroys the windows inside a host window
// that goes away. The dialog is not closed, so nothing is written on the way out. While
// a box or dialog of the program is up (a run waits for the user), the loop ends once
// it has gone. Without X11 (offscreen) nothing changes.
void terminarConLaVentana(QWidget* dialogo);

}  // namespace qt
