// tzv-generador seen through the table engine: the GESCEN folders it writes open and
// read field by field, have the fixed structures of asignat, centro and alumnos, hold
// data shaped as the export expects it, are the same for the same seed; and the
// SOLUC.DBF it builds from exchange tables places every lesson sensibly.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#define popen _popen
#define pclose _pclose
#else
#include <sys/wait.h>
#endif

#include "dbf/DbfLayout.h"
#include "dbf/FieldValue.h"
#include "dbf/Table.h"

#ifdef TZV_CON_EXPORTACION
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "procesos/exportar/Exportacion.h"
#include "tests/support/TempDrive.h"
#endif

namespace fs = std::filesystem;

namespace {

// A folder of its own, removed at the end.
class Carpeta {
 public:
  Carpeta() {
    std::random_device rd;
    ruta_ = fs::temp_directory_path() / ("tzv-gen-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(ruta_);
  }
  ~Carpeta() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  Carpeta(const Carpeta&) = delete;
  Carpeta& operator=(const Carpeta&) = delete;
  std::string str() const { return ruta_.string(); }
  std::string operator/(const std::string& nombre) const { return (ruta_ / nombre).string(); }

 private:
  fs::path ruta_;
};

struct Salida {
  int codigo = -1;
  std::string texto;
};

Salida generador(const std::string& argumentos) {
  std::string orden = std::string("\"") + TZV_GENERADOR + "\" " + argumentos + " 2>&1";
  Salida s;
  FILE* p = popen(orden.c_str(), "r");
  if (!p) return s;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) s.texto.append(buf, n);
  int st = pclose(p);
#ifdef _WIN32
  s.codigo = st;
#else
  s.codigo = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
#endif
  return s;
}

std::string leerArchivo(const std::string& ruta) {
  std::ifstream in(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A generated GESCEN folder per size and seed, made once for the whole run.
const Carpeta& carpetaGescen(const std::string& tamano, int semilla = 3) {
  static std::map<std::string, std::unique_ptr<Carpeta>> hechas;
  std::string clave = tamano + "/" + std::to_string(semilla);
  auto& c = hechas[clave];
  if (!c) {
    c = std::make_unique<Carpeta>();
    Salida s = generador("gescen \"" + c->str() + "\" --tamano " + tamano + " --semilla " +
                         std::to_string(semilla));
    EXPECT_EQ(s.codigo, 0) << s.texto;
  }
  return *c;
}

const std::vector<std::string> kTablas = {
    "grupos.dbf",  "profesor.dbf", "horgrup.dbf",  "asigalum.dbf", "asignat.dbf", "aulas.dbf",
    "alumnos.dbf", "centro.dbf",   "lhortipo.dbf", "OCUPA.dbf",    "horprof.dbf"};

using Registro = std::map<std::string, std::string>;

// Every live record, each field (memos aside) read as text; reading a field with
// garbage in it fails the engine's read.
std::vector<Registro> leer(const std::string& carpeta, const std::string& tabla) {
  dbf::Table t;
  t.setDatabaseName(carpeta);
  t.setTableName(tabla);
  t.setReadOnly(true);
  t.open();
  std::vector<Registro> out;
  for (t.first(); !t.eof(); t.next()) {
    Registro r;
    for (const dbf::Field& f : t.layout().fields) {
      if (f.system || f.type == 'M') continue;
      dbf::Value v = t.value(f.name);
      r[f.name] = dbf::textOf(v);
    }
    out.push_back(std::move(r));
  }
  t.close();
  return out;
}

dbf::Layout estructura(const std::string& carpeta, const std::string& tabla) {
  dbf::Table t;
  t.setDatabaseName(carpeta);
  t.setTableName(tabla);
  t.setReadOnly(true);
  t.open();
  dbf::Layout l = t.layout();
  t.close();
  return l;
}

// Records and deleted records counted from the file's bytes, without the engine.
struct Conteo {
  std::uint32_t registros = 0, borrados = 0;
};
Conteo contarBytes(const std::string& ruta) {
  std::string b = leerArchivo(ruta);
  auto u16 = [&](std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
  };
  Conteo c;
  c.registros = static_cast<std::uint32_t>(u16(4) | (u16(6) << 16));
  std::size_t cab = u16(8), lon = u16(10);
  for (std::uint32_t i = 0; i < c.registros; ++i)
    if (b[cab + i * lon] == '*') ++c.borrados;
  return c;
}

std::set<std::string> valores(const std::vector<Registro>& v, const std::string& campo) {
  std::set<std::string> s;
  for (const Registro& r : v) s.insert(r.at(campo));
  return s;
}

// --- the GESCEN folder ------------------------------------------------------------

class CarpetaGescen : public ::testing::TestWithParam<std::string> {
 protected:
  const Carpeta& c() { return carpetaGescen(GetParam()); }
};

TEST_P(CarpetaGescen, EveryTableOpensAndEveryFieldReadsWithTheEngine) {
  for (const std::string& tabla : kTablas) {
    SCOPED_TRACE(tabla);
    std::vector<Registro> filas;
    ASSERT_NO_THROW(filas = leer(c().str(), tabla));
    Conteo bytes = contarBytes(c() / tabla);
    EXPECT_EQ(filas.size(), bytes.registros - bytes.borrados);
    EXPECT_FALSE(filas.empty());
  }
  EXPECT_TRUE(fs::exists(c() / "alumnos.fpt"));
}

TEST_P(CarpetaGescen, DialectsAndLanguageDriversAreThoseOfOldSchoolTables) {
  std::set<int> drivers;
  for (const std::string& tabla : kTablas) {
    SCOPED_TRACE(tabla);
    dbf::Layout l = estructura(c().str(), tabla);
    if (tabla == "alumnos.dbf") {
      EXPECT_EQ(l.version, 0xF5);
      EXPECT_EQ(l.dialect, dbf::Dialect::FoxPro);
      // FoxPro 2.x: no Visual FoxPro backlink after the field descriptors.
      EXPECT_EQ(l.headerLength, 32u * (l.fields.size() + 1) + 1);
    } else {
      EXPECT_EQ(l.version, 0x03);
      EXPECT_EQ(l.dialect, dbf::Dialect::DBase3);
    }
    EXPECT_TRUE(l.languageDriver == 0x02 || l.languageDriver == 0x03 || l.languageDriver == 0x57);
    EXPECT_EQ(l.codePage, l.languageDriver == 0x02 ? dbf::CodePage::Cp850 : dbf::CodePage::Cp1252);
    drivers.insert(l.languageDriver);
  }
  EXPECT_EQ(drivers, (std::set<int>{0x02, 0x03, 0x57}));
}

// Fixed structures, written as the school-management application defines them:
// "C n" text of n characters, "S" small integer, "F" float, "D" date, "L" boolean,
// "M" memo.
struct Estructura {
  const char* tabla;
  std::vector<std::string> campos;
};

const std::vector<Estructura> kEstructuras = {
    {"asignat.dbf",
     {"CODASIG C 8",  "VLITEASIG C 30", "CLITEASIG C 30", "RAMAESPEC C 4", "HORSEMTE C 5",
      "HORSEMPR C 5", "OPTATIVA C 1",   "CIENCIAS C 1",   "LETRAS C 1",    "GTP C 1",
      "LITRES C 3",   "LITRESV C 3",    "NUMALGR S",      "DGRUPO S",      "VGRUPO S",
      "NGRUPO S",     "NFALTAL S",      "NFALTAG S",      "NRETRAL S",     "NRETRAG S",
      "HORANO S",     "ACP C 3"}},
    {"centro.dbf",
     {"CODCEN F",      "LITCEN C 45",   "DOMICEN C 40", "CODLOC F",     "LITLOC C 30",
      "CODPOS F",      "TELEF C 11",    "FAX C 11",     "CIF C 11",     "CODTILAR S",
      "TIPOCEN S",     "HOHALI C 1",    "PLAZACOME F",  "RESIDENCIA F", "TRANSPOR F",
      "VOLBIBLIO F",   "CAES C 1",      "PAES C 1",     "PLANEXP C 1",  "PLANFOR C 1",
      "HORESP C 1",    "HOGAR C 1",     "NUNIEESPC S",  "NUNIEESPV S",  "NIVEL S",
      "INF C 1",       "EGB C 1",       "ES1 C 1",      "BUP C 1",      "ES3 C 1",
      "BAC C 1",       "FP C 1",        "MOD C 1",      "CIC C 1",      "EPA C 1",
      "ACTAS C 1",     "ERPAS C 1",     "EDICION C 6",  "BORRADO C 6",  "CB C 4",
      "CS C 4",        "DIGITOCON C 2", "CUENTA C 10",  "SOLAR F",      "CONSTRUIDO F",
      "MODOFALTA C 1", "NFALTAL S",     "NFALTAG S",    "NRETRAL S",    "NRETRAG S"}},
    {"alumnos.dbf",
     {"APENOM C 45",     "CODIGO C 10",    "CODIGO2 C 10",   "FECHANAC D",     "CODPROV S",
      "LOCALNAC C 50",   "PROVNAC S",      "SEXO C 1",       "DNIAL C 10",     "NACIONAL S",
      "DOMICILIO C 30",  "LOCALIDAD C 30", "CODPOS F",       "TELEF C 11",     "TELEF2 C 11",
      "APENOMP C 45",    "DNIP C 9",       "APENOMM C 45",   "DNIM C 9",       "CODCUR C 4",
      "CODGRUP C 5",     "CODGRUPREP C 4", "CODGRU3 C 4",    "INCAPACIDA S",   "COMPENSA S",
      "CODCEN F",        "OFILIB C 1",     "RAMA C 4",       "BECARIO C 5",    "NUEVOBECA C 1",
      "REPITE S",        "ESTAMAT C 1",    "TIPMATRI C 1",   "LIBROCAL C 1",   "FECHAMAT D",
      "TRASLAEX C 1",    "GRACERT C 1",    "OBTGRCURA C 1",  "TITUL_AC S",     "FP2CONBUP C 1",
      "FP2SENSCOM C 1",  "FP2C1PLAEX C 1", "FP2OTRAESP C 1", "METIDOGRUP L",   "PRIDIEX S",
      "SEIDIEX S",       "TURNO C 1",      "LINEA C 1",      "REL_ETICA C 1",  "RELIGION C 1",
      "CUIDADORA C 1",   "LOGOPEDA C 1",   "FISIO C 1",      "APOYO C 1",      "INTEGRADO C 1",
      "TRANSPOR C 1",    "COMEDOR C 1",    "RESIDENCIA C 1", "PROMOCIONA C 1", "PAISNAC S",
      "NUMLIBRO C 10",   "OPCION C 1",     "CENPROCED F",    "APA C 1",        "SEGURO C 1",
      "SEG_SOCIAL C 15", "ANOACAD S",      "CORR S",         "OBS M",          "COMENTARIO M",
      "FECHABAJA D",     "CODBAJ S",       "CB C 4",         "CS C 4",         "DIGITOCON C 2",
      "CUENTA C 10",     "CODPLAN C 10",   "TASAACADE F",    "TASAADM F",      "TASAOTROS F",
      "ACS L",           "DOMICILIA L",    "CONSEJO L",      "BAJAPEN L",      "CONSEJOP L",
      "CONSEJOM L",      "TITULAR C 45",   "TITUESO C 1"}},
};

// How a field of that kind is stored: the type letter, width and decimals it may have.
::testing::AssertionResult almacenadoComo(const dbf::Field& f, const std::string& esperado) {
  std::string nombre = esperado.substr(0, esperado.find(' '));
  std::string resto = esperado.substr(nombre.size() + 1);
  auto mal = [&](const char* que) {
    return ::testing::AssertionFailure()
           << f.name << " " << f.type << " " << f.length << "." << f.decimals << " no es "
           << esperado << " (" << que << ")";
  };
  if (f.name != nombre) return mal("nombre");
  switch (resto[0]) {
    case 'C':
      if (f.type != 'C' || f.length != std::stoi(resto.substr(2))) return mal("texto");
      break;
    case 'S':
      if (f.type != 'N' || f.length != 6 || f.decimals != 0) return mal("entero corto");
      break;
    case 'F':
      if ((f.type != 'N' && f.type != 'F') || f.length != 20 || f.decimals == 0) return mal("real");
      break;
    case 'D':
      if (f.type != 'D' || f.length != 8) return mal("fecha");
      break;
    case 'L':
      if (f.type != 'L' || f.length != 1) return mal("lógico");
      break;
    case 'M':
      if (f.type != 'M' || f.length != 10) return mal("memo");
      break;
  }
  return ::testing::AssertionSuccess();
}

TEST_P(CarpetaGescen, AsignatCentroAndAlumnosHaveTheirFixedStructures) {
  for (const Estructura& e : kEstructuras) {
    SCOPED_TRACE(e.tabla);
    dbf::Layout l = estructura(c().str(), e.tabla);
    ASSERT_EQ(l.fields.size(), e.campos.size());
    for (std::size_t i = 0; i < e.campos.size(); ++i)
      EXPECT_TRUE(almacenadoComo(l.fields[i], e.campos[i]));
  }
}

TEST_P(CarpetaGescen, AccentedTextsReadBackThroughEachCodePage) {
  struct Caso {
    const char* tabla;
    const char* campo;
    const char* texto;
  };
  const std::vector<Caso> casos = {
      {"asignat.dbf", "VLITEASIG", "Matemàtiques"},
      {"asignat.dbf", "CLITEASIG", "Matemáticas"},
      {"asignat.dbf", "VLITEASIG", "Educació Física"},
      {"asignat.dbf", "CLITEASIG", "Educación Física"},
      {"asignat.dbf", "VLITEASIG", "Anglés"},
      {"asignat.dbf", "CLITEASIG", "Inglés"},
      {"asignat.dbf", "VLITEASIG", "Tecnologia i Digitalització"},
      {"asignat.dbf", "CLITEASIG", "Tecnología y Digitalización"},
      {"asignat.dbf", "VLITEASIG", "Castellà: Llengua i Literatura"},
      {"asignat.dbf", "VLITEASIG", "Música"},
      {"asignat.dbf", "VLITEASIG", "Religió"},
      {"OCUPA.dbf", "VLITERAL", "Guàrdia"},
      {"OCUPA.dbf", "CLITERAL", "Guardia"},
      {"OCUPA.dbf", "VLITERAL", "Reunió de departament"},
      {"OCUPA.dbf", "CLITERAL", "Reunión de departamento"},
      {"aulas.dbf", "LITAULA", "Gimnàs"},
      {"profesor.dbf", "DEPARTA", "Matemàtiques"},
      {"profesor.dbf", "DEPARTA", "Educació Física"},
  };
  std::map<std::string, std::vector<Registro>> leidas;
  for (const Caso& k : casos) {
    auto& filas = leidas[k.tabla];
    if (filas.empty()) filas = leer(c().str(), k.tabla);
    EXPECT_TRUE(valores(filas, k.campo).count(k.texto))
        << k.tabla << " " << k.campo << " sin " << k.texto;
  }
  // Names keep their Ñ and accents, whatever the table's code page.
  for (const char* tabla : {"profesor.dbf", "alumnos.dbf"}) {
    bool enye = false, acento = false;
    for (const Registro& r : leer(c().str(), tabla)) {
      const std::string& n = r.count("APENOMPROF") ? r.at("APENOMPROF") : r.at("APENOM");
      enye = enye || n.find("Ñ") != std::string::npos;
      acento = acento || n.find("À") != std::string::npos || n.find("É") != std::string::npos ||
               n.find("Í") != std::string::npos || n.find("Ó") != std::string::npos;
    }
    EXPECT_TRUE(enye && acento) << tabla;
  }
}

// What the export reads from each table has the shape it relies on.
TEST_P(CarpetaGescen, DataHaveTheShapesTheExportReads) {
  const std::string d = c().str();
  auto asignat = leer(d, "asignat.dbf");
  const std::regex codasig("[1-4][A-Z]{3}[0-9]{3}");
  std::map<std::string, int> porLitresv;
  bool horasEnBlanco = false;
  for (const Registro& r : asignat) {
    EXPECT_TRUE(std::regex_match(r.at("CODASIG"), codasig)) << r.at("CODASIG");
    // The export converts the first two characters of HORSEMTE: blank or a number.
    std::string h = r.at("HORSEMTE").substr(0, 2);
    h.erase(0, h.find_first_not_of(' '));
    EXPECT_TRUE(h.empty() || std::regex_match(h, std::regex("[0-9]+"))) << r.at("HORSEMTE");
    horasEnBlanco = horasEnBlanco || h.empty();
    ++porLitresv[r.at("LITRESV")];
  }
  EXPECT_TRUE(horasEnBlanco);
  EXPECT_GT(porLitresv["MAT"], 1) << "abbreviations are shared by subjects of several courses";

  auto grupos = leer(d, "grupos.dbf");
  const std::regex codgrup("[1-4][A-Z]{3}[A-Za-z0-9]");
  for (const Registro& r : grupos) {
    EXPECT_TRUE(std::regex_match(r.at("CODGRUP"), codgrup)) << r.at("CODGRUP");
    EXPECT_TRUE(r.at("TURNO") == "M" || r.at("TURNO") == "V");
    EXPECT_FALSE(r.at("LITEGRUP").empty());
  }
  EXPECT_LT(valores(grupos, "CODGRUP").size(), grupos.size()) << "some groups are entered twice";

  auto centro = leer(d, "centro.dbf");
  std::set<std::string> centros = valores(centro, "CODCEN");
  for (const std::string& cc : centros)
    EXPECT_TRUE(std::regex_match(cc, std::regex("(46|3|12)[0-9]{6}"))) << cc;

  auto profesor = leer(d, "profesor.dbf");
  std::set<std::string> dnis = valores(profesor, "DNI");
  EXPECT_TRUE(dnis.count("0")) << "a substitute without identity number";
  bool conBaja = false;
  for (const Registro& r : profesor) {
    EXPECT_TRUE(std::regex_match(r.at("DNI"), std::regex("0|[1-9][0-9]{7}|"))) << r.at("DNI");
    EXPECT_TRUE(std::regex_match(r.at("APENOMPROF"), std::regex(".+ .+, .+")))
        << r.at("APENOMPROF");
    conBaja = conBaja || !r.at("FBAJA").empty();
  }
  EXPECT_TRUE(conBaja);

  // Every lesson names a group, a subject and a teacher that exist, on a day and period.
  std::set<std::string> codigos = valores(asignat, "CODASIG"),
                        codgrups = valores(grupos, "CODGRUP");
  for (const Registro& r : leer(d, "horgrup.dbf")) {
    EXPECT_TRUE(codgrups.count(r.at("CODGRUP"))) << r.at("CODGRUP");
    EXPECT_TRUE(codigos.count(r.at("CODASIG"))) << r.at("CODASIG");
    EXPECT_TRUE(dnis.count(r.at("DNI"))) << r.at("DNI");
    EXPECT_TRUE(centros.count(r.at("CODCEN"))) << r.at("CODCEN");
    int dia = std::stoi(r.at("DIASEM")), hora = std::stoi(r.at("NUMHORA"));
    EXPECT_TRUE(dia >= 1 && dia <= 5 && hora >= 1 && hora <= 7);
    EXPECT_TRUE(std::regex_match(r.at("HORDIADES"), std::regex("[0-2][0-9]:[0-5][0-9]")));
  }

  // The class periods of each centre, 1 to 7, in time order.
  std::map<std::string, std::map<int, std::pair<std::string, std::string>>> periodos;
  for (const Registro& r : leer(d, "lhortipo.dbf"))
    periodos[r.at("CODCEN")][std::stoi(r.at("NUMHORA"))] = {r.at("DESDE"), r.at("HASTA")};
  EXPECT_EQ(periodos.size(), centros.size());
  for (const auto& [cc, p] : periodos) {
    ASSERT_EQ(p.size(), 7u) << cc;
    for (int h = 1; h <= 7; ++h) {
      EXPECT_LT(p.at(h).first, p.at(h).second);
      if (h > 1) {
        EXPECT_LE(p.at(h - 1).second, p.at(h).first);
      }
    }
  }

  // Occupations: the teaching code 12 and the non-teaching ones the teachers' week uses.
  std::set<std::string> ocupas = valores(leer(d, "OCUPA.dbf"), "OCUPA");
  EXPECT_TRUE(ocupas.count("12") && ocupas.count("GUA") && ocupas.count("REU1"));
  std::set<std::string> usadas = valores(leer(d, "horprof.dbf"), "OCUPA");
  for (const std::string& o : usadas) EXPECT_TRUE(ocupas.count(o)) << o;
  EXPECT_TRUE(usadas.count("12") && usadas.count("GUA"));
}

TEST_P(CarpetaGescen, StudentsAndTheirEnrolmentsSuitTheExport) {
  const std::string d = c().str();
  auto alumnos = leer(d, "alumnos.dbf");
  std::set<std::string> vivas;
  for (const Registro& r : leer(d, "asignat.dbf")) vivas.insert(r.at("CODASIG"));
  std::map<std::string, int> matriculas;
  for (const Registro& r : leer(d, "asigalum.dbf"))
    if (vivas.count(r.at("CODASIG"))) ++matriculas[r.at("CODIGO")];
  std::map<std::size_t, int> porLongitud;
  std::set<std::string> repite, codigos;
  for (const Registro& r : alumnos) {
    const std::string& g = r.at("CODGRUP");
    ++porLongitud[g.size()];
    repite.insert(r.at("REPITE"));
    EXPECT_TRUE(std::regex_match(r.at("CODIGO"), std::regex("[0-9]{4,10}"))) << r.at("CODIGO");
    EXPECT_TRUE(codigos.insert(r.at("CODIGO")).second) << "repeated " << r.at("CODIGO");
    EXPECT_EQ(r.at("CODCUR").size(), 4u);
    if (g.size() >= 4) {
      EXPECT_EQ(g.substr(0, 4), r.at("CODCUR"));
    }
    // Past 50 subjects the export stops; every grouped student stays below.
    if (g.size() >= 2) {
      EXPECT_LE(matriculas[r.at("CODIGO")], 50) << r.at("CODIGO");
    }
  }
  EXPECT_GT(porLongitud[0], 0) << "students without a group";
  EXPECT_GT(porLongitud[1], 0) << "group codes of one character";
  EXPECT_TRUE(repite.count("0") && repite.count("1"));
  for (const std::string& v : repite)
    EXPECT_TRUE(v.empty() || v == "0" || v == "1" || v == "2") << v;
}

TEST_P(CarpetaGescen, SomeTablesHoldDeletedRecords) {
  int conBorrados = 0;
  for (const std::string& tabla : kTablas)
    if (contarBytes(c() / tabla).borrados > 0) ++conBorrados;
  EXPECT_GE(conBorrados, 4);
}

INSTANTIATE_TEST_SUITE_P(Tamanos, CarpetaGescen, ::testing::Values("pequeno", "grande"));

// Sizes, counted on live records.
TEST(TamanoGescen, EachSizeHasTheNumbersItStandsFor) {
  struct Rango {
    std::size_t min, max;
  };
  struct Caso {
    const char* tamano;
    Rango alumnos, grupos, profesores, asignaturas, matriculasPorAlumno;
  };
  const std::vector<Caso> casos = {
      {"pequeno", {50, 75}, {3, 3}, {8, 30}, {20, 60}, {15, 30}},
      {"grande", {1300, 1700}, {50, 70}, {100, 150}, {130, 200}, {18, 30}},
      {"enorme", {13000, 17000}, {500, 650}, {900, 1500}, {150, 230}, {15, 30}},
  };
  for (const Caso& k : casos) {
    SCOPED_TRACE(k.tamano);
    const std::string d = carpetaGescen(k.tamano).str();
    auto vivos = [&](const char* tabla) {
      Conteo c = contarBytes(d + "/" + tabla);
      return static_cast<std::size_t>(c.registros - c.borrados);
    };
    auto dentro = [](std::size_t v, Rango r) { return v >= r.min && v <= r.max; };
    std::size_t alumnos = vivos("alumnos.dbf");
    EXPECT_TRUE(dentro(alumnos, k.alumnos)) << alumnos;
    std::size_t grupos = valores(leer(d, "grupos.dbf"), "CODGRUP").size();
    EXPECT_TRUE(dentro(grupos, k.grupos)) << grupos;
    std::size_t profesores = vivos("profesor.dbf");
    EXPECT_TRUE(dentro(profesores, k.profesores)) << profesores;
    std::size_t asignaturas = vivos("asignat.dbf");
    EXPECT_TRUE(dentro(asignaturas, k.asignaturas)) << asignaturas;
    std::size_t porAlumno = vivos("asigalum.dbf") / alumnos;
    EXPECT_TRUE(dentro(porAlumno, k.matriculasPorAlumno)) << porAlumno;
    EXPECT_GE(vivos("horgrup.dbf"), grupos * 25);
    EXPECT_GE(vivos("horprof.dbf"), vivos("horgrup.dbf") / 2);
  }
}

TEST(DeterminismoGescen, TheSameSeedGivesTheSameBytesAndAnotherSeedOtherData) {
  Carpeta a, b, otra;
  ASSERT_EQ(generador("gescen \"" + a.str() + "\" --tamano grande --semilla 11").codigo, 0);
  ASSERT_EQ(generador("gescen \"" + b.str() + "\" --tamano grande --semilla 11").codigo, 0);
  ASSERT_EQ(generador("gescen \"" + otra.str() + "\" --tamano grande --semilla 12").codigo, 0);
  std::vector<std::string> archivos = kTablas;
  archivos.push_back("alumnos.fpt");
  int distintos = 0;
  for (const std::string& f : archivos) {
    std::string bytes = leerArchivo(a / f);
    EXPECT_FALSE(bytes.empty()) << f;
    EXPECT_EQ(bytes, leerArchivo(b / f)) << f;
    if (bytes != leerArchivo(otra / f)) ++distintos;
  }
  EXPECT_GE(distintos, 8);
}

TEST(CarpetaExistente, TablesSpeltInAnotherCaseAreReplacedAndOtherFilesKept) {
  Carpeta c;
  for (const char* viejo : {"ALUMNOS.DBF", "Ocupa.DBF", "notas.txt"})
    std::ofstream(c / viejo) << "x";
  ASSERT_EQ(generador("gescen \"" + c.str() + "\"").codigo, 0);
  std::set<std::string> hay;
  for (const auto& e : fs::directory_iterator(c.str())) hay.insert(e.path().filename().string());
  EXPECT_FALSE(hay.count("ALUMNOS.DBF") || hay.count("Ocupa.DBF"));
  EXPECT_TRUE(hay.count("alumnos.dbf") && hay.count("OCUPA.dbf") && hay.count("notas.txt"));
}

TEST(OrdenesGenerador, WrongArgumentsAreRefusedWithUsage) {
  Carpeta c;
  for (const std::string& args :
       {std::string(""), std::string("gescen"), "gescen \"" + c.str() + "\" --tamano mediano",
        "gescen \"" + c.str() + "\" --semilla x", std::string("inventar x"),
        "solucion \"" + c.str() + "\" --registros -3"}) {
    Salida s = generador(args);
    EXPECT_EQ(s.codigo, 2) << args;
    EXPECT_NE(s.texto.find("uso:"), std::string::npos) << args;
  }
  Salida s = generador("solucion \"" + c.str() + "\"");
  EXPECT_EQ(s.codigo, 1);
  EXPECT_NE(s.texto.find("ASIGT.DBF"), std::string::npos) << s.texto;
}

// --- SOLUC.DBF ----------------------------------------------------------------------

struct FilaAsig {
  const char *casig, *cprof, *nivel, *curso, *grupo;
  double horas;
};

// Exchange tables as an export leaves them: four groups, shared teachers, two groups
// with more lessons than periods in a week (options run side by side), a lesson whose
// teacher and subject were not found.
class Solucion : public ::testing::Test {
 protected:
  Carpeta trabajo_;
  std::vector<FilaAsig> filas_;

  static std::string cgrup(const FilaAsig& f) {
    std::string n = f.nivel;
    return std::string(1, n[0]) + n[2] + f.curso + f.grupo;
  }

  void crear(const std::string& nombre, const std::vector<dbf::FieldDef>& campos) {
    dbf::Table t;
    t.setDatabaseName(trabajo_.str());
    t.setTableName(nombre);
    t.fieldDefs() = campos;
    t.createTable();
  }

  void SetUp() override {
    using dbf::FieldKind;
    const char* grupos[][3] = {{"ESO", "1", "A"}, {"ESO", "1", "B"}, {"BAC", "2", "A"}};
    struct M {
      const char* asig;
      double horas;
      const char* profA;
      const char* profB;
    };
    const std::vector<M> eso = {
        {"MAT", 4, "GMJ", "GMJ2"}, {"CAS", 4, "PLA", "PLA"}, {"VAL", 3, "SBV", "SBV"},
        {"ANG", 4, "RMC", "RMC"},  {"GHI", 3, "TOA", "FMP"}, {"BIG", 3, "CNR", "CNR"},
        {"EFI", 2, "VIB", "VIB"},  {"MUS", 2, "AMP", "AMP"}, {"TEC", 2, "EBJ", "EBJ"},
        {"EPV", 2, "LLS", "LLS"},  {"TUT", 1, "GMJ", "PLA"}, {"REL", 1, "OPR", "OPR"},
        {"AED", 1, "FMP", "FMP"}};
    for (int g = 0; g < 2; ++g)
      for (const M& m : eso)
        filas_.push_back({m.asig, g == 0 ? m.profA : m.profB, grupos[g][0], grupos[g][1],
                          grupos[g][2], m.horas});
    // 2 BAC A and B: 38 weekly lessons each, three more than a week has periods; the same
    // teachers teach both.
    const std::vector<M> bac = {
        {"HES", 3, "TOA", ""}, {"HFI", 3, "MRS", ""},  {"CAS", 3, "PLA", ""}, {"VAL", 3, "SBV", ""},
        {"ANG", 3, "RMC", ""}, {"MAT", 4, "GMJ", ""},  {"LLA", 4, "CCL", ""}, {"FIS", 4, "FQA", ""},
        {"GEO", 4, "FMP", ""}, {"QUI", 4, "FQA2", ""}, {"FRA", 2, "DUF", ""}, {"PSI", 2, "MRS", ""},
        {"", 1, "", ""}};
    for (const char* g : {"A", "B"})
      for (const M& m : bac) filas_.push_back({m.asig, m.profA, "BAC", "2", g, m.horas});

    crear("ASIGT.DBF", {{"CASIG", FieldKind::String, 4},
                        {"CPROF", FieldKind::String, 4},
                        {"CGRUP", FieldKind::String, 4},
                        {"CAULA", FieldKind::String, 4},
                        {"TURNO", FieldKind::String, 1},
                        {"NIVEL", FieldKind::String, 5},
                        {"CURSO", FieldKind::String, 3},
                        {"GRUPO", FieldKind::String, 2},
                        {"HORAS", FieldKind::Float},
                        {"SESIONES", FieldKind::String, 20},
                        {"CTAREA", FieldKind::String, 4}});
    dbf::Table t;
    t.setDatabaseName(trabajo_.str());
    t.setTableName("ASIGT.DBF");
    t.open();
    std::set<std::string> profes;
    for (const FilaAsig& f : filas_) {
      t.append();
      t.setString("CASIG", f.casig);
      t.setString("CPROF", f.cprof);
      t.setString("CGRUP", cgrup(f));
      t.setString("NIVEL", f.nivel);
      t.setString("CURSO", f.curso);
      t.setString("GRUPO", f.grupo);
      t.setFloat("HORAS", f.horas);
      t.setString("SESIONES", std::string(static_cast<std::size_t>(f.horas), '1'));
      t.setString("CTAREA", "*12");
      t.post();
      if (*f.cprof) profes.insert(f.cprof);
    }
    t.close();

    crear("PROFT.DBF", {{"ABREV", FieldKind::String, 4},
                        {"NOMBRE", FieldKind::String, 40},
                        {"DEPART", FieldKind::String, 40},
                        {"DNI", FieldKind::Integer}});
    t.setTableName("PROFT.DBF");
    t.open();
    int dni = 20000001;
    for (const std::string& p : profes) {
      t.append();
      t.setString("ABREV", p);
      t.setInteger("DNI", dni++);
      t.post();
    }
    t.close();

    crear("ASIGNOMT.DBF", {{"COD", FieldKind::String, 4},
                           {"CODLARGO", FieldKind::String, 8},
                           {"NOMBRE", FieldKind::String, 40},
                           {"ESTAREA", FieldKind::Boolean}});
    t.setTableName("ASIGNOMT.DBF");
    t.open();
    for (const char* cod : {"*12", "*GUA", "*REU1", "*GUAPA", "*ATP"}) {
      t.append();
      t.setString("COD", std::string(cod).substr(0, 4));
      t.setString("CODLARGO", cod);
      t.setBoolean("ESTAREA", true);
      t.post();
    }
    t.append();
    t.setString("COD", "MAT");
    t.setString("CODLARGO", "MAT");
    t.setBoolean("ESTAREA", false);
    t.post();
    t.close();

    crear("AULAT.DBF", {{"ABREV", FieldKind::String, 4},
                        {"NOMBRE", FieldKind::String, 40},
                        {"EDIFICIO", FieldKind::String, 1},
                        {"MAXALUM", FieldKind::Integer}});
    t.setTableName("AULAT.DBF");
    t.open();
    for (const char* a : {"101", "102", "103", "201", "GIM", "BIB"}) {
      t.append();
      t.setString("ABREV", a);
      t.post();
    }
    t.close();
  }

  std::vector<Registro> solucion(const std::string& extra = "") {
    Salida s = generador("solucion \"" + trabajo_.str() + "\" --semilla 5 " + extra);
    EXPECT_EQ(s.codigo, 0) << s.texto;
    return leer(trabajo_.str(), "SOLUC.DBF");
  }
};

TEST_F(Solucion, HasTheFieldsTheImportReads) {
  solucion();
  dbf::Layout l = estructura(trabajo_.str(), "SOLUC.DBF");
  const std::vector<std::pair<std::string, std::string>> campos = {
      {"DIA", "N"},    {"HORA", "N"},  {"TAREA", "C"},  {"PROF", "C4"}, {"NIVEL", "C5"},
      {"CURSO", "C3"}, {"ASIG", "C4"}, {"GRUPO", "C2"}, {"AULA", "C4"}};
  for (const auto& [nombre, tipo] : campos) {
    int i = l.find(nombre);
    ASSERT_GE(i, 0) << nombre;
    const dbf::Field& f = l.fields[static_cast<std::size_t>(i)];
    EXPECT_EQ(f.type, tipo[0]) << nombre;
    if (tipo.size() > 1) {
      EXPECT_EQ(f.length, std::stoi(tipo.substr(1))) << nombre;
    }
  }
}

TEST_F(Solucion, EveryLessonIsWrittenOnceAndPlacedWithoutClashes) {
  auto regs = solucion();
  std::map<std::string, int> lecciones;
  std::map<std::string, std::string> profOcupado;  // teacher and period -> class
  std::map<std::string, std::map<std::string, int>> grupoEnHora;
  int sinColocar = 0;
  for (const Registro& r : regs) {
    int dia = std::stoi(r.at("DIA")), hora = std::stoi(r.at("HORA"));
    if (r.at("TAREA") == "*12")
      ++lecciones[r.at("ASIG") + "|" + r.at("PROF") + "|" + r.at("NIVEL") + r.at("CURSO") +
                  r.at("GRUPO")];
    if (dia == 0) {
      ++sinColocar;
      EXPECT_EQ(hora, 0);
      continue;
    }
    EXPECT_TRUE(dia >= 1 && dia <= 5 && hora >= 1 && hora <= 7) << dia << " " << hora;
    std::string cuando = std::to_string(dia) + "/" + std::to_string(hora);
    // A teacher is in one place at a time; only one class may gather several groups.
    if (!r.at("PROF").empty()) {
      std::string clase = r.at("TAREA") + r.at("ASIG") + "|" + r.at("NIVEL") + r.at("CURSO");
      auto [it, nuevo] = profOcupado.emplace(r.at("PROF") + "@" + cuando, clase);
      EXPECT_TRUE(nuevo || (it->second == clase && r.at("TAREA") == "*12"))
          << r.at("PROF") << " twice at " << cuando;
    }
    if (!r.at("NIVEL").empty())
      ++grupoEnHora[r.at("NIVEL") + r.at("CURSO") + r.at("GRUPO")][cuando];
  }
  for (const FilaAsig& f : filas_) {
    std::string clave = std::string(f.casig) + "|" + f.cprof + "|" + f.nivel + f.curso + f.grupo;
    EXPECT_EQ(lecciones[clave], static_cast<int>(f.horas)) << clave;
  }
  EXPECT_GE(sinColocar, 1);
  // The ESO groups fit in a week: one lesson at a time. The overfull one doubles up.
  for (const char* g : {"ESO1A", "ESO1B"})
    for (const auto& [cuando, n] : grupoEnHora[g]) EXPECT_EQ(n, 1) << g << " " << cuando;
  for (const char* g : {"BAC2A", "BAC2B"}) {
    int dobles = 0;
    for (const auto& [cuando, n] : grupoEnHora[g]) dobles += n > 1;
    EXPECT_GE(dobles, 1) << g;
  }
  // The overfull groups share some classes with one teacher.
  std::map<std::string, int> gruposPorClase;
  for (const Registro& r : regs)
    if (r.at("DIA") != "0" && r.at("NIVEL") == "BAC" && !r.at("PROF").empty())
      ++gruposPorClase[r.at("PROF") + "@" + r.at("DIA") + "/" + r.at("HORA")];
  EXPECT_TRUE(std::any_of(gruposPorClase.begin(), gruposPorClase.end(),
                          [](const auto& x) { return x.second > 1; }));
}

TEST_F(Solucion, NonTeachingPeriodsCarryAnOccupationAndNoGroup) {
  auto regs = solucion();
  std::set<std::string> profes = valores(leer(trabajo_.str(), "PROFT.DBF"), "ABREV");
  std::map<std::string, int> porProfesor;
  for (const Registro& r : regs) {
    if (r.at("TAREA") == "*12") continue;
    EXPECT_TRUE(r.at("TAREA") == "*GUA" || r.at("TAREA") == "*REU1" || r.at("TAREA") == "*GUAPA" ||
                r.at("TAREA") == "*ATP")
        << r.at("TAREA");
    EXPECT_TRUE(r.at("NIVEL").empty() && r.at("CURSO").empty() && r.at("ASIG").empty())
        << r.at("TAREA");
    EXPECT_TRUE(profes.count(r.at("PROF"))) << r.at("PROF");
    ++porProfesor[r.at("PROF")];
  }
  EXPECT_EQ(porProfesor.size(), profes.size());
  for (const auto& [p, n] : porProfesor) EXPECT_TRUE(n >= 2 && n <= 4) << p << " " << n;
}

TEST_F(Solucion, RoomsAreMostlyTheSchoolsNumberedRooms) {
  int numeradas = 0, lecciones = 0;
  for (const Registro& r : solucion()) {
    if (r.at("TAREA") != "*12" || r.at("DIA") == "0") continue;
    ++lecciones;
    const std::string& a = r.at("AULA");
    EXPECT_TRUE(std::regex_match(a, std::regex("|[0-9]{1,4}|[A-Z][0-9]{1,3}"))) << a;
    if (a == "101" || a == "102" || a == "103" || a == "201") ++numeradas;
  }
  EXPECT_GT(numeradas * 10, lecciones * 7);
}

TEST_F(Solucion, RecordCountCanBeCutOrPadded) {
  for (long n : {7L, 50000L}) {
    SCOPED_TRACE(n);
    auto regs = solucion("--registros " + std::to_string(n));
    ASSERT_EQ(regs.size(), static_cast<std::size_t>(n));
    for (const Registro& r : regs) {
      int dia = std::stoi(r.at("DIA")), hora = std::stoi(r.at("HORA"));
      EXPECT_TRUE((dia == 0 && hora == 0) || (dia >= 1 && dia <= 5 && hora >= 1 && hora <= 7));
    }
  }
}

TEST_F(Solucion, TheSameSeedGivesTheSameFile) {
  solucion();
  std::string primera = leerArchivo(trabajo_ / "SOLUC.DBF");
  solucion();
  EXPECT_EQ(leerArchivo(trabajo_ / "SOLUC.DBF"), primera);
  ASSERT_EQ(generador("solucion \"" + trabajo_.str() + "\" --semilla 6").codigo, 0);
  EXPECT_NE(leerArchivo(trabajo_ / "SOLUC.DBF"), primera);
}

#ifdef TZV_CON_EXPORTACION
// The generated folder goes through the program's own staging and export, and the
// solution is built from what the export wrote.
class ExportacionGenerada : public ::testing::TestWithParam<std::string> {};

TEST_P(ExportacionGenerada, ExportsWithoutErrorAndGivesASolution) {
  TempDrive drive;
  ASSERT_EQ(
      generador("gescen \"" + drive.native("GC") + "\" --tamano " + GetParam() + " --semilla 4")
          .codigo,
      0);
  gescen::Catalogo tablas;
  gescen::asegurarCarpetaStaging();
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  ASSERT_NO_THROW(procesos::escribirTablasIntercambio(tablas, "VALENCIÀ"));
  tablas.cerrarTodas();

  const std::string trabajo = drive.native("ZORVTMP");
  std::size_t conGrupo = 0;
  for (const Registro& r : leer(drive.native("GC"), "alumnos.dbf"))
    conGrupo += r.at("CODGRUP").size() >= 2;
  EXPECT_EQ(leer(trabajo, "ALUMNOST.DBF").size(), conGrupo);
  auto asigt = leer(trabajo, "ASIGT.DBF");
  ASSERT_FALSE(asigt.empty());

  Salida s = generador("solucion \"" + trabajo + "\" --semilla 4");
  ASSERT_EQ(s.codigo, 0) << s.texto;
  auto soluc = leer(trabajo, "SOLUC.DBF");
  std::size_t lecciones = 0;
  for (const Registro& r : asigt) lecciones += r.at("SESIONES").size();
  std::size_t docentes = 0;
  for (const Registro& r : soluc) docentes += r.at("TAREA") == "*12";
  EXPECT_EQ(docentes, lecciones);
}

INSTANTIATE_TEST_SUITE_P(Tamanos, ExportacionGenerada, ::testing::Values("pequeno", "grande"));
#endif

}  // namespace
