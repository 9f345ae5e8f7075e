#pragma once
// The two kinds of box the program shows: a message with one OK button, and the error
// display (error icon, the error's text with a full stop at its end). Both carry the
// application title as caption and are modal.

#include <QString>
#include <functional>
#include <string>

#include "procesos/EstadoPrograma.h"

class QWidget;

namespace qt {

enum class TipoAviso { Mensaje, Error };

void MostrarMensaje(QWidget* padre, const QString& texto);
void MostrarError(QWidget* padre, const QString& texto);

// A box of the program's start, before the dialog exists (ui::AvisoArranque): owned
// by the host's window when the program was started inside one.
void MostrarAvisoArranque(const std::string& texto, bool error,
                          const procesos::EstadoPrograma& estado);

// Ends an import that a killed run of the program left half way through putting the
// timetables back, and says in a box what was done (ui::TerminarImportacionInterrumpida).
void TerminarImportacionInterrumpida();

// While a function is set, boxes are not shown: each one goes to the function with its
// text as it would be shown, and returning stands for the user's OK. Tests script the
// user with it; an empty function shows boxes again.
using Contestador = std::function<void(TipoAviso tipo, const QString& texto)>;
void FijarContestador(Contestador contestador);

}  // namespace qt
