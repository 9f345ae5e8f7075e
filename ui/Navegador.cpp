#include "ui/Navegador.h"

namespace ui {

std::string_view nombreBoton(BotonNavegador b) {
  static constexpr std::array<std::string_view, kBotonesNavegador> kNombres = {
      "First", "PriorPage", "Prior", "Next",   "NextPage",
      "Last",  "Edit",      "Post",  "Cancel", "Refresh"};
  return kNombres[static_cast<std::size_t>(b)];
}

std::string_view pistaBoton(BotonNavegador b) {
  static constexpr std::array<std::string_view, kBotonesNavegador> kPistas = {
      "Move to first record",
      "Move backward 10 records",
      "Move to prior record",
      "Move to next record",
      "Move forward 10 records",
      "Move to last record",
      "Edit current record",
      "Post changes of current record",
      "Cancel changes made to current record",
      "Refresh the contents of the dataset"};
  return kPistas[static_cast<std::size_t>(b)];
}

std::array<bool, kBotonesNavegador> botonesHabilitados(const ConjuntoDatos& d) {
  const bool activa = d.activa();
  const bool hayFilas = activa && d.filas() > 0;
  const bool editando = activa && d.editando();
  const bool arriba = hayFilas && !d.alPrincipio();
  const bool abajo = hayFilas && !d.alFinal();
  const bool modificable = hayFilas && !d.tabla()->readOnly();
  return {arriba,
          arriba,
          arriba,
          abajo,
          abajo,
          abajo,
          modificable && !editando,
          modificable && editando,
          modificable && editando,
          activa};
}

void pulsarBoton(ConjuntoDatos& d, BotonNavegador b) {
  switch (b) {
    case BotonNavegador::First:
      d.primero();
      break;
    case BotonNavegador::PriorPage:
      d.moverPor(-kSaltoPagina);
      break;
    case BotonNavegador::Prior:
      d.anterior();
      break;
    case BotonNavegador::Next:
      d.siguiente();
      break;
    case BotonNavegador::NextPage:
      d.moverPor(kSaltoPagina);
      break;
    case BotonNavegador::Last:
      d.ultimo();
      break;
    case BotonNavegador::Edit:
      d.editar();
      break;
    case BotonNavegador::Post:
      d.grabar();
      break;
    case BotonNavegador::Cancel:
      d.cancelar();
      break;
    case BotonNavegador::Refresh:
      d.refrescar();
      break;
  }
}

}  // namespace ui
