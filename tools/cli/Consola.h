#pragma once
// The runs' user interface on the command line: messages are kept (the command prints
// the ones that explain a stop), the checks are answered from the command's options.
#include <map>
#include <string>
#include <vector>

#include "procesos/Interaccion.h"

class InteraccionConsola : public procesos::Interaccion {
 public:
  // DNI to give to teachers without one, by abbreviation.
  std::map<std::string, long long> dniPorAbreviatura;
  std::vector<std::string> mensajes;

  void mensaje(const std::string& texto) override { mensajes.push_back(texto); }
  void cursorEspera(bool) override {}
  // Posts the given numbers into PROFT.DBF, as the teacher grid would, and tells whether
  // any teacher is still without one.
  bool controlProfesores() override;
};
