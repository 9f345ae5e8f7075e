#pragma once
// While the program's dialog lies inside another program's window (host mode), a box
// or dialog cannot belong to it: it belongs to the host's top-level window instead.

class QWidget;
class QWindow;

// The host's top-level window when `w`'s window lies inside one; nullptr otherwise.
QWindow* VentanaAnfitrion(QWidget* w);

// Makes a box or dialog about to be shown belong to the host's window, application
// modal; does nothing when there is no host.
void DarAlAnfitrion(QWidget* caja, QWindow* anfitrion);
