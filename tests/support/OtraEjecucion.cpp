#include "tests/support/OtraEjecucion.h"

#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "gescen/CarpetaEnUso.h"

OtraEjecucion::OtraEjecucion() {
  int lista[2], seguir[2];
  if (pipe(lista) != 0 || pipe(seguir) != 0) throw std::runtime_error("pipe");
  hijo_ = fork();
  if (hijo_ < 0) throw std::runtime_error("fork");
  if (hijo_ == 0) {
    ::close(seguir[1]);
    gescen::CarpetaEnUso uso;
    (void)!write(lista[1], "x", 1);
    char c = 0;
    (void)!read(seguir[0], &c, 1);  // ends when the parent closes its side
    _exit(0);
  }
  ::close(lista[1]);
  ::close(seguir[0]);
  seguir_ = seguir[1];
  char c = 0;
  if (read(lista[0], &c, 1) != 1) throw std::runtime_error("the other run did not start");
  ::close(lista[0]);
}

OtraEjecucion::~OtraEjecucion() {
  ::close(seguir_);
  int status = 0;
  waitpid(hijo_, &status, 0);
}
