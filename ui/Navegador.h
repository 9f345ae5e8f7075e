#pragma once
// The record navigator's rules: its ten buttons in order (first, back ten records,
// prior, next, forward ten records, last, edit, post, cancel, refresh) with their
// names and hints, which of them the dataset's state allows, and what each does. None
// inserts or deletes a record.

#include <array>
#include <string_view>

#include "ui/ConjuntoDatos.h"

namespace ui {

enum class BotonNavegador {
  First,
  PriorPage,
  Prior,
  Next,
  NextPage,
  Last,
  Edit,
  Post,
  Cancel,
  Refresh
};
inline constexpr int kBotonesNavegador = 10;
inline constexpr int kSaltoPagina = 10;

// The button's name and its hint.
std::string_view nombreBoton(BotonNavegador b);
std::string_view pistaBoton(BotonNavegador b);

// Moving is offered where there is a record to move to; edit while browsing a record;
// post and cancel while one is being edited; refresh while the table is open.
std::array<bool, kBotonesNavegador> botonesHabilitados(const ConjuntoDatos& datos);

// What a click on the button does; errors of the engine are thrown.
void pulsarBoton(ConjuntoDatos& datos, BotonNavegador b);

}  // namespace ui
