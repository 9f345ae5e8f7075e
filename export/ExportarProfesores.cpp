#include "ExportarProfesores.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "Catalogo.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

constexpr std::size_t kAnchoAbrev = 4;

// A teacher is left out only when a leaving date, a name and a DNI are all set.
bool dadoDeBaja(const dbf::Table& profesor) {
  return !profesor.asDate("FBAJA").isZero() && !recortar(profesor.asString("APENOMPROF")).empty() &&
         profesor.asInteger("DNI") != 0;
}

std::string abreviaturaDe(const std::string& nombre) {
  return subcadena(subcadena(nombre, 1, 1) + Iniciales(nombre, " "), 1, 3);
}

// The pass over the table in which each record, in turn, gives a counter to every other
// record that holds its abbreviation at that moment.
void pasadaContadores(std::vector<std::string>& abrev) {
  std::map<std::string, std::set<std::size_t>> titulares;
  for (std::size_t i = 0; i < abrev.size(); ++i) titulares[abrev[i]].insert(i);
  for (std::size_t a = 0; a < abrev.size(); ++a) {
    const std::string propia = abrev[a];
    const std::set<std::size_t>& titularesPropia = titulares[propia];
    if (titularesPropia.size() <= 1) continue;  // nobody else holds it
    std::set<std::size_t> otros = titularesPropia;
    otros.erase(a);
    int contador = 2;
    for (std::size_t b : otros) {
      std::string nueva = valorAlmacenado(abrev[b] + std::to_string(contador++), kAnchoAbrev);
      if (nueva == abrev[b]) continue;
      titulares[abrev[b]].erase(b);
      titulares[nueva].insert(b);
      abrev[b] = nueva;
    }
  }
}

}  // namespace

std::string Iniciales(const std::string& texto, const std::string& separador) {
  // One pass over the characters, each compared whole with the separator.
  std::string resultado;
  std::vector<std::string_view> caracteres;
  for (std::size_t at = 0; at < texto.size();) {
    const std::size_t n =
        std::min(texto.size() - at, longitudCaracter(static_cast<unsigned char>(texto[at])));
    caracteres.emplace_back(texto.data() + at, n);
    at += n;
  }
  for (std::size_t i = 0; i + 1 < caracteres.size(); ++i)
    if (caracteres[i] == separador) resultado += caracteres[i + 1];
  return resultado;
}

std::vector<std::string> abreviaturasUnicas(std::vector<std::string> abrev) {
  const std::vector<std::string> originales = abrev;
  pasadaContadores(abrev);
  std::map<std::string, int> usos;
  for (const std::string& a : abrev) ++usos[a];
  std::set<std::string> vistas;
  for (std::size_t i = 0; i < abrev.size(); ++i) {
    if (vistas.insert(abrev[i]).second) continue;
    // A later holder of an abbreviation still shared: the smallest free counter from 10.
    for (int n = 10;; ++n) {
      std::string cifras = std::to_string(n);
      if (cifras.size() > kAnchoAbrev) break;
      std::string candidata = subcadena(originales[i], 1, kAnchoAbrev - cifras.size()) + cifras;
      if (usos[candidata] > 0) continue;
      --usos[abrev[i]];
      abrev[i] = candidata;
      ++usos[candidata];
      vistas.insert(candidata);
      break;
    }
  }
  return abrev;
}

void ExportarProfesores(gc::Catalogo& tablas) {
  dbf::Table proft;
  recrearIntercambio(proft, kPROFT,
                    {texto("ABREV", 4), texto("NOMBRE", 40), texto("DEPART", 40), entero("DNI")});
  proft.open();
  dbf::Table& profesor = tablas.wwTableProfesor;
  profesor.open();
  for (profesor.first(); !profesor.eof(); profesor.next()) {
    if (dadoDeBaja(profesor)) continue;
    const std::string nombre = profesor.asString("APENOMPROF");
    proft.append();
    proft.setString("ABREV", abreviaturaDe(nombre));
    proft.setString("NOMBRE", nombre);
    proft.setString("DEPART", profesor.asString("DEPARTA"));
    proft.setInteger("DNI", profesor.asInteger("DNI"));
  }
  // With no teacher written there is nothing to store: the table stays empty.
  if (proft.state() == dbf::TableState::Insert) proft.post();
  proft.close();
  profesor.close();

  std::vector<std::string> abreviaturas;
  proft.open();
  for (proft.first(); !proft.eof(); proft.next()) abreviaturas.push_back(proft.asString("ABREV"));
  const std::vector<std::string> unicas = abreviaturasUnicas(abreviaturas);
  std::size_t i = 0;
  for (proft.first(); !proft.eof(); proft.next(), ++i) {
    if (unicas[i] == abreviaturas[i]) continue;
    proft.edit();
    proft.setString("ABREV", unicas[i]);
    proft.post();
  }
  proft.close();
}

}  // namespace tzv
