#pragma once
// Other holders of a file, as other programs hold them.
//
// CerrojoAjeno: a lock on one byte of a file, as another program's table engine takes
// one (to say that it has the table open, or to hold a record), or on `largo` bytes (0:
// the whole file, as a program that locks the file whole); it is given back when the
// object goes. An open-file-description lock: it conflicts with the locks of every other
// opening of the file, in this process too.
//
// TitularAjeno: another process that holds a file in one of the ways Linux programs
// (and Wine, for Windows programs) hold files, until the object goes.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
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

// How another process holds a file.
enum class Tenencia {
  Abierta,          // open for reading, without any lock
  FlockCompartido,  // flock(LOCK_SH)
  FlockExclusivo,   // flock(LOCK_EX)
  OfdByte,          // an open-file-description write lock on one byte
  OfdEntero,        // an open-file-description write lock on the whole file
  FcntlByte,        // a classic fcntl read lock on one byte
};

class TitularAjeno {
 public:
  TitularAjeno(const std::string& ruta, Tenencia tenencia) {
    int listo[2], fin[2];
    if (::pipe(listo) != 0) return;
    if (::pipe(fin) != 0) {
      ::close(listo[0]);
      ::close(listo[1]);
      return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(listo[0]);
      ::close(fin[1]);
      const char hecho = tomar(ruta.c_str(), tenencia) ? '1' : '0';
      (void)!::write(listo[1], &hecho, 1);
      char c;
      while (::read(fin[0], &c, 1) > 0) {
      }
      ::_exit(0);
    }
    ::close(listo[1]);
    ::close(fin[0]);
    fin_ = fin[1];
    char hecho = '0';
    tomado_ = pid_ > 0 && ::read(listo[0], &hecho, 1) == 1 && hecho == '1';
    ::close(listo[0]);
  }
  ~TitularAjeno() {
    if (fin_ >= 0) ::close(fin_);  // the holder ends when its input does
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  TitularAjeno(const TitularAjeno&) = delete;
  TitularAjeno& operator=(const TitularAjeno&) = delete;

  bool tomado() const { return tomado_; }

 private:
  // In the child: only calls that are safe after fork().
  static bool tomar(const char* ruta, Tenencia tenencia) {
    const bool escribe = tenencia == Tenencia::OfdByte || tenencia == Tenencia::OfdEntero;
    const int fd = ::open(ruta, escribe ? O_RDWR : O_RDONLY);
    if (fd < 0) return false;
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_whence = SEEK_SET;
    fl.l_type = escribe ? F_WRLCK : F_RDLCK;
    fl.l_start = tenencia == Tenencia::OfdEntero ? 0 : 1000;
    fl.l_len = tenencia == Tenencia::OfdEntero ? 0 : 1;
    switch (tenencia) {
      case Tenencia::Abierta:
        return true;
      case Tenencia::FlockCompartido:
        return ::flock(fd, LOCK_SH | LOCK_NB) == 0;
      case Tenencia::FlockExclusivo:
        return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
      case Tenencia::OfdByte:
      case Tenencia::OfdEntero:
        return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
      case Tenencia::FcntlByte:
        return ::fcntl(fd, F_SETLK, &fl) == 0;
    }
    return false;
  }

  pid_t pid_ = -1;
  int fin_ = -1;
  bool tomado_ = false;
};
