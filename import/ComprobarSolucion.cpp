#include "ComprobarSolucion.h"

#include <stdexcept>
#include <string>

#include "Table.h"

namespace tzv {
namespace {

constexpr const char* kSinCambios = " No se ha cambiado nada en GESCEN.";

void comprobar(dbf::Table& soluc) {
  const std::uint32_t anunciados = soluc.layout().headerCount;
  const std::uint32_t presentes = soluc.recordCount();
  if (presentes < anunciados)
    throw std::runtime_error("El archivo " + soluc.path() +
                             " está incompleto: su cabecera anuncia " + std::to_string(anunciados) +
                             " registros y solo contiene " + std::to_string(presentes) + "." +
                             kSinCambios);
  for (soluc.first(); !soluc.eof(); soluc.next())
    if (soluc.asInteger("DIA") != 0) return;
  throw std::runtime_error("El archivo " + soluc.path() + " no contiene ningún horario." +
                           kSinCambios);
}

}  // namespace

void ComprobarSolucion(dbf::Table& soluc) {
  soluc.open();
  try {
    comprobar(soluc);
  } catch (...) {
    soluc.close();
    throw;
  }
  soluc.close();
}

}  // namespace tzv
