#pragma once
// Names, places and remarks of the Valencian Community, in Valencian and Castilian, with
// their accents, as school records hold them.

#include <string>
#include <vector>

#include "tools/generator/Azar.h"

namespace gen {

// "SURNAME SURNAME, GIVEN NAME", upper case as school records keep it.
std::string nombreCompleto(Azar& a, bool mujer, bool joven);
std::string apellido(Azar& a);
std::string nombrePila(Azar& a, bool mujer, bool joven);

struct Poblacion {
  const char* nombre;
  int provincia;  // 46, 3 or 12
  int codpos;     // a postcode of the town
};
const std::vector<Poblacion>& poblaciones();
const Poblacion& poblacionDe(Azar& a, int provincia);

std::string domicilio(Azar& a);
std::string telefonoFijo(Azar& a, int provincia);
std::string telefonoMovil(Azar& a);
// An identity number with its check letter ("12345678Z") and the bare number.
std::string dniConLetra(long numero);

struct NombreCentro {
  const char* nombre;
  int provincia;
};
const std::vector<NombreCentro>& nombresCentro();

// Remarks on a student (OBS) and the longer comments (COMENTARIO).
const std::vector<std::string>& observaciones();
std::string comentario(Azar& a);

}  // namespace gen
