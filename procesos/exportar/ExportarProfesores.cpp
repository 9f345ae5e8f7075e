#include "procesos/exportar/ExportarProfesores.h"

#include <algorithm>
#include <string_view>

#include "gescen/Busquedas.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "gescen/Texto.h"

namespace procesos {
using gescen::entero;
using gescen::kPROFT;
using gescen::longitudCaracter;
using gescen::MapaTextos;
using gescen::recortar;
using gescen::recrearIntercambio;
using gescen::subcadena;
using gescen::texto;
using gescen::valorAlmacenado;

namespace {

constexpr std::size_t kAnchoAbrev = 4;

// The fields of the GESCEN teacher table, each found at its first read.
struct CamposProfesor {
  dbf::LazyField fbaja, apenomprof, departa, dni;
  explicit CamposProfesor(const dbf::Table& t)
      : fbaja(t, "FBAJA"), apenomprof(t, "APENOMPROF"), departa(t, "DEPARTA"), dni(t, "DNI") {}
};

// A teacher is left out only when a leaving date, a name and a DNI are all set.
bool dadoDeBaja(const dbf::Table& profesor, const CamposProfesor& c) {
  return !profesor.asDate(*c.fbaja).isZero() &&
         !recortar(profesor.asString(*c.apenomprof)).empty() && profesor.asInteger(*c.dni) != 0;
}

}  // namespace

std::string abreviaturaProfesor(const std::string& nombre) {
  return subcadena(subcadena(nombre, 1, 1) + Iniciales(nombre, " "), 1, 3);
}

namespace {

// Each abbreviation met gets a number, under which the records that hold it are kept.
class Abreviaturas {
 public:
  std::size_t numero(const std::string& abrev) {
    const auto [it, nueva] = numeros_.try_emplace(abrev, titulares_.size());
    if (nueva) titulares_.emplace_back();
    return it->second;
  }
  // The records holding an abbreviation, in table order.
  std::vector<std::size_t>& titulares(std::size_t numero) { return titulares_[numero]; }

 private:
  MapaTextos<std::size_t> numeros_;
  std::vector<std::vector<std::size_t>> titulares_;
};

void quitar(std::vector<std::size_t>& v, std::size_t x) {
  v.erase(std::lower_bound(v.begin(), v.end(), x));
}
void poner(std::vector<std::size_t>& v, std::size_t x) {
  v.insert(std::lower_bound(v.begin(), v.end(), x), x);
}

// The pass over the table in which each record, in turn, gives a counter to every other
// record that holds its abbreviation at that moment.
void pasadaContadores(std::vector<std::string>& abrev) {
  Abreviaturas a;
  for (std::size_t i = 0; i < abrev.size(); ++i) a.titulares(a.numero(abrev[i])).push_back(i);
  for (std::size_t r = 0; r < abrev.size(); ++r) {
    const std::vector<std::size_t>& titulares = a.titulares(a.numero(abrev[r]));
    if (titulares.size() <= 1) continue;  // nobody else holds it
    std::vector<std::size_t> otros = titulares;
    quitar(otros, r);
    int contador = 2;
    for (std::size_t b : otros) {
      std::string nueva = valorAlmacenado(abrev[b] + std::to_string(contador++), kAnchoAbrev);
      if (nueva == abrev[b]) continue;
      const std::size_t antes = a.numero(abrev[b]), despues = a.numero(nueva);
      quitar(a.titulares(antes), b);
      poner(a.titulares(despues), b);
      abrev[b] = std::move(nueva);
    }
  }
}

}  // namespace

std::string Iniciales(const std::string& texto, const std::string& separador) {
  // One pass over the characters, each compared whole with the separator.
  std::string resultado;
  const std::string_view s = texto;
  auto caracter = [&](std::size_t at) {
    return s.substr(at, longitudCaracter(static_cast<unsigned char>(s[at])));
  };
  for (std::size_t at = 0; at < s.size();) {
    const std::string_view c = caracter(at);
    at += c.size();
    if (at < s.size() && c == separador) resultado += caracter(at);
  }
  return resultado;
}

std::vector<std::string> abreviaturasUnicas(std::vector<std::string> abrev) {
  const std::vector<std::string> originales = abrev;
  pasadaContadores(abrev);
  MapaTextos<std::size_t> numeros;
  std::vector<int> usos;
  std::vector<bool> vista;
  auto numero = [&](const std::string& t) {
    const auto [it, nueva] = numeros.try_emplace(t, usos.size());
    if (nueva) {
      usos.push_back(0);
      vista.push_back(false);
    }
    return it->second;
  };
  for (const std::string& a : abrev) ++usos[numero(a)];
  for (std::size_t i = 0; i < abrev.size(); ++i) {
    const std::size_t propia = numero(abrev[i]);
    if (!vista[propia]) {
      vista[propia] = true;
      continue;
    }
    // A later holder of an abbreviation still shared: the smallest free counter from 10.
    for (int n = 10;; ++n) {
      std::string cifras = std::to_string(n);
      if (cifras.size() > kAnchoAbrev) break;
      std::string candidata = subcadena(originales[i], 1, kAnchoAbrev - cifras.size()) + cifras;
      const std::size_t otra = numero(candidata);
      if (usos[otra] > 0) continue;
      --usos[propia];
      ++usos[otra];
      vista[otra] = true;
      abrev[i] = std::move(candidata);
      break;
    }
  }
  return abrev;
}

void ExportarProfesores(gescen::Catalogo& tablas) {
  dbf::Table proft;
  recrearIntercambio(proft, kPROFT,
                     {texto("ABREV", 4), texto("NOMBRE", 40), texto("DEPART", 40), entero("DNI")});
  proft.open();
  dbf::Table& profesor = tablas.wwTableProfesor;
  profesor.open();
  const CamposProfesor campos(profesor);
  const dbf::Field& abrevT = proft.campo("ABREV");
  const dbf::Field& nombreT = proft.campo("NOMBRE");
  const dbf::Field& departT = proft.campo("DEPART");
  const dbf::Field& dniT = proft.campo("DNI");
  for (profesor.first(); !profesor.eof(); profesor.next()) {
    if (dadoDeBaja(profesor, campos)) continue;
    const std::string nombre = profesor.asString(*campos.apenomprof);
    proft.append();
    proft.setString(abrevT, abreviaturaProfesor(nombre));
    proft.setString(nombreT, nombre);
    proft.setString(departT, profesor.asString(*campos.departa));
    proft.setInteger(dniT, profesor.asInteger(*campos.dni));
  }
  // With no teacher written there is nothing to store: the table stays empty.
  if (proft.state() == dbf::TableState::Insert) proft.post();
  profesor.close();

  // The abbreviations as the table gives them back, made unique in it; the table stays
  // open, so that the rows changed are rewritten before they reach the file.
  std::vector<std::string> abreviaturas;
  const dbf::Field& abrev = abrevT;
  for (proft.first(); !proft.eof(); proft.next()) abreviaturas.push_back(proft.asString(abrev));
  const std::vector<std::string> unicas = abreviaturasUnicas(abreviaturas);
  std::size_t i = 0;
  for (proft.first(); !proft.eof(); proft.next(), ++i) {
    if (unicas[i] == abreviaturas[i]) continue;
    proft.edit();
    proft.setString(abrev, unicas[i]);
    proft.post();
  }
  proft.close();
}

}  // namespace procesos
