#include "tools/generator/Nombres.h"

#include <cstdio>

namespace gen {
namespace {

const std::vector<const char*> kApellidos = {
    "GARCIA",    "MARTINEZ",  "LÓPEZ",     "SÁNCHEZ",  "PÉREZ",       "PEREZ",    "GÓMEZ",
    "FERNÁNDEZ", "RODRÍGUEZ", "NAVARRO",   "TORRES",   "RUIZ",        "SERRANO",  "MOLINA",
    "ORTIZ",     "MARTÍ",     "FERRER",    "SOLER",    "VIDAL",       "ESTEVE",   "BOSCH",
    "PASCUAL",   "CASTELLÓ",  "LLORENS",   "SEGARRA",  "ALBEROLA",    "BOTELLA",  "SANCHIS",
    "ROCA",      "MIRALLES",  "TORMO",     "GINER",    "BALLESTER",   "CERVERA",  "CATALÀ",
    "FERRÀNDIZ", "MUÑOZ",     "NÚÑEZ",     "IBÁÑEZ",   "PEÑA",        "CASTAÑO",  "MONTAÑÉS",
    "BAÑÓ",      "ORDÓÑEZ",   "SALOM",     "RIPOLL",   "SENDRA",      "BORONAT",  "COLOMER",
    "PONS",      "PALLARÉS",  "MORAGUES",  "ALCÀCER",  "SORIANO",     "GIMENO",   "BELDA",
    "TENA",      "GUILLEM",   "MOMPÓ",     "CORTÉS",   "PUCHADES",    "LLOPIS",   "ESCRIVÀ",
    "BLASCO",    "MONZÓ",     "AGUILAR",   "CUÑAT",    "MARTINEZ",    "GARCIA",   "SANCHIS",
    "FERRER",    "ALBERT",    "VILAPLANA", "GISBERT",  "JUAN",        "ROIG",     "BERENGUER",
    "PUIG",      "CLIMENT",   "MAS",       "BENAVENT", "SAÑUDO",      "ZARAGOZÁ", "CHULIÁ",
    "DOLZ",      "GRAU",      "CHORDÀ",    "PITARCH",  "DE LA TORRE", "DEL RÍO",  "POPESCU",
    "EL AMRANI", "BENÍTEZ",   "CAÑIZARES",
};

const std::vector<const char*> kHombres = {
    "JOSEP",   "VICENT",           "JOAN",     "JORDI",   "PAU",     "XAVIER", "SALVADOR",
    "MANUEL",  "JOSÉ LUIS",        "FRANCESC", "ENRIC",   "ÀLEX",    "ÒSCAR",  "IVÁN",
    "RUBÉN",   "SERGIO",           "DAVID",    "MARC",    "NICOLÁS", "ÀNGEL",  "AGUSTÍ",
    "LLUÍS",   "MIQUEL",           "IÑAKI",    "JOAQUÍN", "TOMÀS",   "RAMÓN",  "JOSÉ MARÍA",
    "VICENTE", "FRANCISCO JAVIER", "ANTONIO",  "RAFAEL",  "XIMO",    "PEP",
};
const std::vector<const char*> kMujeres = {
    "MARIA JOSÉ",   "AMPARO",  "NÚRIA",  "MÒNICA",    "ENCARNA",  "INMACULADA", "ROSA",
    "CARMEN",       "BEGOÑA",  "LAIA",   "MARTA",     "NEUS",     "CRISTINA",   "SÍLVIA",
    "PILAR",        "ÀNGELA",  "MIREIA", "ALBA",      "LUCÍA",    "SOFÍA",      "PAULA",
    "IRENE",        "CLÀUDIA", "AINHOA", "ESTEFANÍA", "CONSUELO", "ASSUMPTA",   "MARIA DEL MAR",
    "DESAMPARADOS", "ROSER",   "ELENA",  "BEATRIU",
};
const std::vector<const char*> kChicos = {
    "HUGO",    "MARTÍN",  "LUCAS", "MATEO",  "LEO",   "DANIEL",       "ALEJANDRO",   "PABLO",
    "MANUEL",  "ÁLVARO",  "ADRIÀ", "POL",    "ARNAU", "BIEL",         "IKER",        "ÀLEX",
    "JOAN",    "NICOLÁS", "MARC",  "SERGI",  "IAN",   "ÈRIC",         "GAEL",        "ENZO",
    "MOHAMED", "YASSINE", "ION",   "ANDREI", "WEI",   "JOSÉ ANTONIO", "JOAN CARLES", "IGNASI",
    "XAVIER",  "RAÜL",    "JOEL",  "NEIZAN", "AITOR",
};
const std::vector<const char*> kChicas = {
    "LUCÍA",
    "SOFÍA",
    "MARTINA",
    "MARÍA",
    "JÚLIA",
    "PAULA",
    "VALERIA",
    "EMMA",
    "DANIELA",
    "CARLA",
    "ALBA",
    "NOA",
    "AINA",
    "LAIA",
    "ONA",
    "CLÀUDIA",
    "NEREA",
    "CARME",
    "MARIONA",
    "ÀFRICA",
    "ÀNGELA",
    "IRENE",
    "CANDELA",
    "VEGA",
    "FÀTIMA",
    "FATIMA ZAHRA",
    "ANDREEA",
    "XIANA",
    "MARIA DELS ÀNGELS",
    "ESTHER",
    "BEGOÑA",
    "NÚRIA",
    "ZOE",
    "INÉS",
    "BERTA",
};

const std::vector<Poblacion> kPoblaciones = {
    {"València", 46, 46010},
    {"Torrent", 46, 46900},
    {"Gandia", 46, 46700},
    {"Paterna", 46, 46980},
    {"Sagunt", 46, 46500},
    {"Alzira", 46, 46600},
    {"Xàtiva", 46, 46800},
    {"Ontinyent", 46, 46870},
    {"Burjassot", 46, 46100},
    {"Mislata", 46, 46920},
    {"Llíria", 46, 46160},
    {"Requena", 46, 46340},
    {"Sueca", 46, 46410},
    {"Cullera", 46, 46400},
    {"Picassent", 46, 46220},
    {"Alacant", 3, 3001},
    {"Elx", 3, 3201},
    {"Alcoi", 3, 3801},
    {"Elda", 3, 3600},
    {"Benidorm", 3, 3501},
    {"Dénia", 3, 3700},
    {"Oriola", 3, 3300},
    {"Xàbia", 3, 3730},
    {"Villena", 3, 3400},
    {"Petrer", 3, 3610},
    {"Sant Vicent del Raspeig", 3, 3690},
    {"Castelló de la Plana", 12, 12001},
    {"Vila-real", 12, 12540},
    {"Borriana", 12, 12530},
    {"Vinaròs", 12, 12500},
    {"la Vall d'Uixó", 12, 12600},
    {"Benicarló", 12, 12580},
    {"Onda", 12, 12200},
    {"Almassora", 12, 12550},
    {"Morella", 12, 12300},
};

const std::vector<const char*> kCarrers = {
    "C/ Major",
    "Av. del Port",
    "C/ de la Pau",
    "Pl. de l'Ajuntament",
    "C/ Sant Vicent",
    "Av. de Blasco Ibáñez",
    "C/ Sant Josep",
    "C/ del Mar",
    "C/ Jaume I",
    "Av. de la Constitució",
    "C/ Nou",
    "C/ de l'Església",
    "C/ Ramón y Cajal",
    "Camí Reial",
    "C/ Músic Ginés",
    "C/ Doctor Fleming",
    "Av. de les Corts Valencianes",
    "C/ Ausiàs March",
    "C/ Llauradors",
    "Pda. Horta Nord",
    "C/ Peñíscola",
    "C/ Maestro Serrano",
    "C/ Cervantes",
    "C/ Sueca",
};

const std::vector<NombreCentro> kCentros = {
    {"IES Lluís Vives", 46},        {"IES Joan Fuster", 46},
    {"IES Sorts de la Mar", 46},    {"IES Clara Campoamor", 3},
    {"IES Ausiàs March", 46},       {"IES La Mola", 3},
    {"IES Enric Valor", 3},         {"IES Vicent Andrés Estellés", 46},
    {"IES Tirant lo Blanc", 3},     {"IES Maria Moliner", 46},
    {"IES Francesc Ribalta", 12},   {"IES Penyeta Roja", 12},
    {"IES Joanot Martorell", 46},   {"IES Leopoldo Querol", 12},
    {"IES Miguel Hernández", 3},    {"IES Dr. Peset Aleixandre", 46},
    {"IES Sant Vicent Ferrer", 46}, {"IES Matilde Salvador", 12},
};

const std::vector<std::string> kObservaciones = {
    "Al·lèrgia als fruits secs.",
    "Alergia a la lactosa. Lleva medicación en la mochila.",
    "Dispensa parcial d'Educació Física fins al desembre.",
    "Ve del CEIP Sant Josep de Calassanç.",
    "Viene del CEIP Nuestra Señora de los Ángeles.",
    "Exempt de Valencià per residència temporal.",
    "Necessita adaptació curricular significativa en Matemàtiques (ACIS).",
    "Asmàtic: porta inhalador.",
    "Diabetis tipus 1. Protocol a Consergeria.",
    "Pendents: Matemàtiques i Anglés del curs anterior.",
    "Trasllat de matrícula des d'un centre d'Aragó.",
    "Autorització d'eixida al pati del migdia: NO.",
    "Celíac. Menjador amb menú sense gluten.",
    "Alumne NESE: TDAH diagnosticat; seguiment d'Orientació.",
    "Incorporació tardana: arriba el 15 d'octubre.",
    "Beca de menjador concedida (100%).",
};

const std::vector<std::string> kComentarios = {
    "Pare i mare separats; la custòdia és compartida.",
    "Avisar als dos progenitors de totes les comunicacions.",
    "La família demana les comunicacions en castellà.",
    "Reunió amb la família el 14/11: acorden revisar l'agenda cada setmana.",
    "Se ha derivado al gabinete psicopedagógico municipal.",
    "Participa en el programa de reforç PROA+ els dimarts i dijous de vesprada.",
    "Viu amb els avis materns, que són els tutors legals.",
    "Ha presentat certificat mèdic per a l'absència del primer trimestre.",
    "Mostra molt bona actitud i col·labora amb els companys.",
    "Dificultats de lectoescriptura detectades a Primària; cal continuar el seguiment.",
    "Solicita la convalidación de Música por estudios de conservatorio (grado elemental).",
    "Conveni de pràctiques signat amb l'empresa Informàtica Llevant, S.L.",
};

}  // namespace

std::string apellido(Azar& a) { return a.elegir(kApellidos); }

std::string nombrePila(Azar& a, bool mujer, bool joven) {
  return joven ? (mujer ? a.elegir(kChicas) : a.elegir(kChicos))
               : (mujer ? a.elegir(kMujeres) : a.elegir(kHombres));
}

std::string nombreCompleto(Azar& a, bool mujer, bool joven) {
  std::string s = apellido(a);
  s += ' ';
  s += apellido(a);
  s += ", ";
  s += nombrePila(a, mujer, joven);
  return s;
}

const std::vector<Poblacion>& poblaciones() { return kPoblaciones; }

const Poblacion& poblacionDe(Azar& a, int provincia) {
  // Most people live in the centre's province, and near it.
  for (int intento = 0; intento < 50; ++intento) {
    const Poblacion& p = a.elegir(kPoblaciones);
    if (p.provincia == provincia || a.porMil(30)) return p;
  }
  return kPoblaciones.front();
}

std::string domicilio(Azar& a) {
  std::string s = a.elegir(kCarrers);
  s += ", " + std::to_string(a.entre(1, 140));
  if (a.porMil(600)) {
    s += " - " + std::to_string(a.entre(1, 9)) + "a";
    if (a.porMil(500)) s += " pta. " + std::to_string(a.entre(1, 24));
  }
  return s;
}

std::string telefonoFijo(Azar& a, int provincia) {
  const char* prefijo = provincia == 3 ? "96" : provincia == 12 ? "964" : "96";
  std::string s = prefijo;
  while (s.size() < 9) s += static_cast<char>('0' + a.entre(0, 9));
  return s;
}

std::string telefonoMovil(Azar& a) {
  std::string s = a.porMil(700) ? "6" : "7";
  while (s.size() < 9) s += static_cast<char>('0' + a.entre(0, 9));
  return s;
}

std::string dniConLetra(long numero) {
  static const char* letras = "TRWAGMYFPDXBNJZSQVHLCKE";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08ld%c", numero, letras[numero % 23]);
  return buf;
}

const std::vector<NombreCentro>& nombresCentro() { return kCentros; }

const std::vector<std::string>& observaciones() { return kObservaciones; }

std::string comentario(Azar& a) {
  // One to several sentences on separate lines; some run over many memo blocks.
  int frases = a.porMil(150) ? a.entre(4, 9) : a.entre(1, 2);
  std::string s;
  for (int i = 0; i < frases; ++i) {
    if (i > 0) s += "\r\n";
    s += a.elegir(kComentarios);
  }
  return s;
}

}  // namespace gen
