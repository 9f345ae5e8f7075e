#pragma once
// Another run of the program working on the work folder: a child process that holds it
// from construction until the object goes.

#include <sys/types.h>

class OtraEjecucion {
 public:
  OtraEjecucion();
  ~OtraEjecucion();
  OtraEjecucion(const OtraEjecucion&) = delete;
  OtraEjecucion& operator=(const OtraEjecucion&) = delete;

 private:
  pid_t hijo_ = -1;
  int seguir_ = -1;  // closing it lets the child end
};
