#pragma once
// A lock on one byte of a file, as another program's table engine takes one (to say that
// it has the table open, or to hold a record), or on `largo` bytes (0: the whole file,
// as a program that locks the file whole); it is given back when the object goes.
// An open-file-description lock: it conflicts with the locks of every other opening of
// the file, in this process too.

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

class CerrojoAjeno {
 public:
  CerrojoAjeno(const std::string& ruta, short tipo, off_t byte, off_t largo = 1) {
    fd_ = ::open(ruta.c_str(), O_RDWR);
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = tipo;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = largo;
    tomado_ = fd_ >= 0 && fcntl(fd_, F_OFD_SETLK, &fl) == 0;
  }
  ~CerrojoAjeno() {
    if (fd_ >= 0) ::close(fd_);
  }
  CerrojoAjeno(const CerrojoAjeno&) = delete;
  CerrojoAjeno& operator=(const CerrojoAjeno&) = delete;

  bool tomado() const { return tomado_; }

 private:
  int fd_ = -1;
  bool tomado_ = false;
};
