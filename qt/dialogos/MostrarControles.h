#pragma once
// The import's two check dialogs as the import run shows them: created with the main
// dialog as owner, shown modally, read and released. The run's hourglass gives way to
// the normal cursor while a dialog is shown and comes back afterwards. A table that
// cannot be opened throws the engine's error (dbf::EngineError) before anything shows.

class QWidget;

namespace qt {

// TControlProfesores on PROFT.DBF; returns its DNICorrecto.
bool mostrarControlProfesores(QWidget* owner);

// TControlPlantilla on PLANTILLA.DBF of the staging folder.
void mostrarControlPlantilla(QWidget* owner);

}  // namespace qt
