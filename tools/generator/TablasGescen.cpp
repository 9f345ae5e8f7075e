#include "tools/generator/TablasGescen.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace gen {
namespace {

// Language drivers: the tables were written by different programs over the years.
constexpr std::uint8_t kCp850 = 0x02;
constexpr std::uint8_t kCp1252 = 0x03;
constexpr std::uint8_t kAnsi = 0x57;

Campo S(const char* n, int w) { return {n, 'C', w, 0}; }
Campo SmallInt(const char* n) { return {n, 'N', 6, 0}; }
Campo Num(const char* n, int w, int d = 0) { return {n, 'N', w, d}; }
Campo D(const char* n) { return {n, 'D', 8, 0}; }
Campo L(const char* n) { return {n, 'L', 1, 0}; }
Campo M(const char* n) { return {n, 'M', 10, 0}; }

std::string join(const std::string& carpeta, const std::string& nombre) {
  if (carpeta.empty()) return nombre;
  char last = carpeta.back();
  return (last == '/' || last == '\\') ? carpeta + nombre : carpeta + "/" + nombre;
}

bool esNumero(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class Escritor {
 public:
  Escritor(const Escuela& e, std::string carpeta)
      : e_(e), carpeta_(std::move(carpeta)), a_(Azar(e.semilla).derivado(100)) {}

  std::vector<ResumenTabla> escribirTodo() {
    grupos();
    profesor();
    horgrup();
    asigalum();
    asignat();
    aulas();
    alumnos();
    centro();
    lhortipo();
    ocupa();
    horprof();
    return resumen_;
  }

 private:
  void guardar(TablaDbf& t, const std::string& archivo, Fecha actualizado) {
    t.setFechaActualizacion(actualizado);
    std::string bytes = t.contenido();
    escribirArchivo(join(carpeta_, archivo), bytes);
    resumen_.push_back({archivo, t.registros(), t.borrados(), bytes.size()});
  }

  const Centro& centroDe(int i) const { return e_.centros[static_cast<std::size_t>(i)]; }

  void dni(TablaDbf& t, const char* campo, const Profesor& p) {
    if (!p.dniEnBlanco) t.entero(campo, p.dni);
  }

  void grupos() {
    TablaDbf t(
        "grupos", kDBase3, kCp850,
        {Num("CODCEN", 8), S("CODGRUP", 5), S("LITEGRUP", 40), S("TURNO", 1), S("CODCUR", 4),
         S("CODAULA", 4), Num("TUTOR", 10), Num("NUMALUM", 3), S("LINEA", 1), Num("ANOACAD", 4)});
    std::vector<int> alumnos(e_.grupos.size(), 0);
    for (const Alumno& al : e_.alumnos)
      if (al.grupo >= 0 && !al.borrado) ++alumnos[static_cast<std::size_t>(al.grupo)];
    for (std::size_t g = 0; g < e_.grupos.size(); ++g) {
      const Grupo& gr = e_.grupos[g];
      for (int r = 0; r < gr.repeticiones; ++r) {
        t.nuevo();
        t.entero("CODCEN", centroDe(gr.centro).codcen);
        t.texto("CODGRUP", gr.codgrup);
        t.texto("LITEGRUP", gr.litegrup);
        t.texto("TURNO", std::string(1, gr.turno));
        t.texto("CODCUR", gr.codcur);
        if (gr.aula >= 0) t.texto("CODAULA", e_.aulas[static_cast<std::size_t>(gr.aula)].codigo);
        if (gr.tutor >= 0) dni(t, "TUTOR", e_.profesores[static_cast<std::size_t>(gr.tutor)]);
        t.entero("NUMALUM", r == 0 ? alumnos[g] : 0);
        t.texto("LINEA", std::string(1, gr.linea));
        t.entero("ANOACAD", e_.anyoAcademico);
      }
    }
    guardar(t, "grupos.dbf", {2024, 9, 6});
  }

  void profesor() {
    TablaDbf t(
        "profesor", kDBase3, kAnsi,
        {Num("CODCEN", 8), Num("DNI", 10), S("APENOMPROF", 45), S("DEPARTA", 30), S("ESPECIAL", 4),
         D("FALTA"), D("FBAJA"), S("SEXO", 1), S("NRP", 15), S("DOMICILIO", 40), S("LOCALIDAD", 30),
         Num("CODPOS", 5), S("TELEFONO", 11), Num("HORLECT", 2), S("TUTOR", 5)});
    std::map<int, std::string> tutoria;
    for (const Grupo& g : e_.grupos)
      if (g.tutor >= 0) tutoria[g.tutor] = g.codgrup;
    Azar a = a_.derivado(1);
    for (std::size_t i = 0; i < e_.profesores.size(); ++i) {
      const Profesor& p = e_.profesores[i];
      const Centro& c = centroDe(p.centro);
      const Departamento& d = departamentos()[static_cast<std::size_t>(p.depto)];
      t.nuevo();
      t.entero("CODCEN", c.codcen);
      dni(t, "DNI", p);
      t.texto("APENOMPROF", p.nombre);
      t.texto("DEPARTA", d.nombre);
      t.texto("ESPECIAL", d.especialidad);
      t.fecha("FALTA", p.alta);
      t.fecha("FBAJA", p.baja);
      t.texto("SEXO", p.mujer ? "M" : "H");
      if (p.dni != 0) t.texto("NRP", std::to_string(p.dni) + "24A0590");
      t.texto("DOMICILIO", domicilio(a));
      const Poblacion& lugar = poblacionDe(a, c.localidad.provincia);
      t.texto("LOCALIDAD", lugar.nombre);
      t.entero("CODPOS", lugar.codpos + a.entre(0, 9));
      if (a.porMil(850)) t.texto("TELEFONO", telefonoMovil(a));
      t.entero("HORLECT", std::min(p.carga, 99));
      auto tu = tutoria.find(static_cast<int>(i));
      if (tu != tutoria.end()) t.texto("TUTOR", tu->second);
      if (p.borrado) t.borrar();
    }
    guardar(t, "profesor.dbf", {2024, 10, 21});
  }

  void codigoAula(TablaDbf& t, const char* campo, int aula) {
    if (aula < 0) return;
    const std::string& c = e_.aulas[static_cast<std::size_t>(aula)].codigo;
    if (esNumero(c) && c.size() <= 4) t.entero(campo, std::stol(c));
  }

  void horgrup() {
    TablaDbf t("horgrup", kDBase3, kCp1252,
               {Num("CODCEN", 8), S("CODGRUP", 5), S("CODASIG", 8), Num("DNI", 10),
                Num("DIASEM", 1), Num("NUMHORA", 2), S("HORDIADES", 5), S("HORDIAHAS", 5),
                Num("CODAULA", 4), S("CODCUR", 4), Num("SESION", 2), S("OCUPA", 5)});
    std::map<std::pair<int, int>, int> sesion;
    for (const Clase& c : e_.clases) {
      const Grupo& g = e_.grupos[static_cast<std::size_t>(c.grupo)];
      const Centro& ce = centroDe(g.centro);
      const Periodo& pe = ce.periodos[static_cast<std::size_t>(c.hora - 1)];
      t.nuevo();
      t.entero("CODCEN", ce.codcen);
      t.texto("CODGRUP", g.codgrup);
      t.texto("CODASIG", e_.asignaturas[static_cast<std::size_t>(c.asignatura)].codasig);
      dni(t, "DNI", e_.profesores[static_cast<std::size_t>(c.profesor)]);
      t.entero("DIASEM", c.dia);
      t.entero("NUMHORA", c.hora);
      t.texto("HORDIADES", pe.desde);
      t.texto("HORDIAHAS", pe.hasta);
      codigoAula(t, "CODAULA", c.aula);
      t.texto("CODCUR", g.codcur);
      t.entero("SESION", ++sesion[{c.grupo, c.asignatura}]);
      t.texto("OCUPA", "12");
    }
    guardar(t, "horgrup.dbf", {2024, 9, 12});
  }

  void asigalum() {
    TablaDbf t("asigalum", kDBase3, kCp1252,
               {Num("CODCEN", 8), S("CODIGO", 10), S("CODASIG", 8), S("CODCUR", 4),
                Num("ANOACAD", 4), S("CONVOCA", 1), S("EVAL1", 2), S("EVAL2", 2), S("EVAL3", 2),
                S("NOTAF", 2), L("PENDIENTE")});
    for (const Matricula& m : e_.matriculas) {
      const Alumno& al = e_.alumnos[static_cast<std::size_t>(m.alumno)];
      t.nuevo();
      t.entero("CODCEN", centroDe(al.centro).codcen);
      t.texto("CODIGO", al.codigo);
      t.texto("CODASIG", m.codasig);
      t.texto("CODCUR", m.codcur);
      t.entero("ANOACAD", e_.anyoAcademico);
      t.texto("CONVOCA", "O");
      t.logico("PENDIENTE", m.pendiente);
    }
    guardar(t, "asigalum.dbf", {2024, 10, 2});
  }

  void asignat() {
    TablaDbf t("asignat", kDBase3, kCp850, camposAsignat());
    t.setIndicadores(0x01);
    const auto& ps = planes();
    for (const Asignatura& s : e_.asignaturas) {
      const std::string nivel = ps[static_cast<std::size_t>(s.plan)].nivel;
      const bool fp = nivel == "FPB" || nivel == "CFM" || nivel == "CFS";
      t.nuevo();
      t.texto("CODASIG", s.codasig);
      t.texto("VLITEASIG", s.val);
      t.texto("CLITEASIG", s.cas);
      if (nivel == "BAC" && s.bloque != 0) t.texto("RAMAESPEC", s.bloque == 4 ? "OPTA" : "MODA");
      t.texto("HORSEMTE", s.horsemte);
      if (fp && s.sesiones > 0) t.texto("HORSEMPR", std::to_string(s.sesiones / 2));
      t.texto("OPTATIVA", s.bloque != 0 ? "S" : "N");
      const bool ciencias =
          s.depto == DMat || s.depto == DBig || s.depto == DFqu || s.depto == DTec;
      t.texto("CIENCIAS", ciencias ? "S" : "N");
      t.texto("LETRAS", (s.depto == DCas || s.depto == DVal || s.depto == DGhi || s.depto == DFil ||
                         s.depto == DCla)
                            ? "S"
                            : "N");
      t.texto("LITRES", s.litres);
      t.texto("LITRESV", s.litresv);
      t.entero("NUMALGR", ps[static_cast<std::size_t>(s.plan)].alumnosGrupo);
      for (const char* f : {"DGRUPO", "VGRUPO", "NGRUPO"}) t.entero(f, 0);
      if (s.sesiones > 0) t.entero("HORANO", s.sesiones * 35);
      if (s.borrada) t.borrar();
    }
    guardar(t, "asignat.dbf", {2024, 7, 19});
  }

  void aulas() {
    TablaDbf t("aulas", kDBase3, kAnsi,
               {Num("CODCEN", 8), S("CODAULA", 4), S("LITAULA", 30), Num("CAPACIDAD", 3),
                Num("PLANTA", 2), S("TIPO", 1), S("EDIFICIO", 1)});
    for (std::size_t i = 0; i < e_.aulas.size(); ++i) {
      const Aula& au = e_.aulas[i];
      t.nuevo();
      t.entero("CODCEN", centroDe(au.centro).codcen);
      t.texto("CODAULA", au.codigo);
      t.texto("LITAULA", au.nombre);
      t.entero("CAPACIDAD", au.capacidad);
      t.entero("PLANTA", au.planta);
      t.texto("TIPO", std::string(1, au.tipo));
      t.texto("EDIFICIO", "1");
      if (i == 0) {
        // A prefabricated classroom that was taken away.
        t.nuevo();
        t.entero("CODCEN", centroDe(au.centro).codcen);
        t.texto("CODAULA", "P01");
        t.texto("LITAULA", "Aula Prefabricada 1");
        t.entero("CAPACIDAD", 25);
        t.entero("PLANTA", 0);
        t.texto("TIPO", "G");
        t.borrar();
      }
    }
    guardar(t, "aulas.dbf", {2024, 9, 2});
  }

  void alumnos() {
    TablaDbf t("alumnos", kFoxPro2Memo, kCp1252, camposAlumnos());
    t.setIndicadores(0x01);
    MemoFpt memos(t.paginaCodigos());
    Azar a = a_.derivado(2);
    static const char* extranjeros[] = {"Bucarest", "Casablanca", "Guayaquil", "Bogotá",
                                        "Kíev",     "Shanghai",   "Tànger",    "Caracas"};
    static const int paises[] = {642, 504, 218, 170, 804, 156, 504, 862};
    std::map<int, int> correlativo;
    const auto& ps = planes();
    for (const Alumno& al : e_.alumnos) {
      const Centro& c = centroDe(al.centro);
      const std::string nivel = ps[static_cast<std::size_t>(al.plan)].nivel;
      const int edad = e_.anyoAcademico - al.nacimiento.anyo;
      t.nuevo();
      t.texto("APENOM", al.apenom);
      t.texto("CODIGO", al.codigo);
      if (a.porMil(50)) t.texto("CODIGO2", std::to_string(a.entre(100000, 999999)));
      t.fecha("FECHANAC", al.nacimiento);
      int pais = 724;
      if (a.porMil(90)) {
        std::size_t k = static_cast<std::size_t>(a.menor(8));
        pais = paises[k];
        t.texto("LOCALNAC", extranjeros[k]);
        t.entero("CODPROV", 0);
        t.entero("PROVNAC", 99);
      } else {
        const Poblacion& nac = poblacionDe(a, c.localidad.provincia);
        t.texto("LOCALNAC", nac.nombre);
        t.entero("CODPROV", nac.provincia);
        t.entero("PROVNAC", nac.provincia);
      }
      t.texto("SEXO", al.mujer ? "M" : "H");
      if (edad >= 14 && pais == 724 && a.porMil(800))
        t.texto("DNIAL", dniConLetra(a.entre(20000000, 59999999)));
      t.entero("NACIONAL", pais);
      t.texto("DOMICILIO", domicilio(a));
      const Poblacion& vive = a.porMil(700) ? c.localidad : poblacionDe(a, c.localidad.provincia);
      t.texto("LOCALIDAD", vive.nombre);
      t.real("CODPOS", vive.codpos + a.entre(0, 9));
      t.texto("TELEF", telefonoFijo(a, c.localidad.provincia));
      if (a.porMil(900)) t.texto("TELEF2", telefonoMovil(a));
      const std::string primero = al.apenom.substr(0, al.apenom.find(' '));
      if (a.porMil(900)) {
        t.texto("APENOMP", primero + " " + apellido(a) + ", " + nombrePila(a, false, false));
        t.texto("DNIP", dniConLetra(a.entre(10000000, 59999999)));
      }
      t.texto("APENOMM", nombreCompleto(a, true, false));
      t.texto("DNIM", dniConLetra(a.entre(10000000, 59999999)));
      t.texto("CODCUR", al.codcur);
      t.texto("CODGRUP", al.codgrup);
      t.entero("INCAPACIDA", 0);
      t.entero("COMPENSA", a.porMil(60) ? 1 : 0);
      t.real("CODCEN", static_cast<double>(c.codcen));
      t.texto("OFILIB", "O");
      if (nivel == "BAC") t.texto("RAMA", a.porMil(500) ? "CIEN" : "HCS");
      t.texto("NUEVOBECA", "N");
      if (!al.repiteEnBlanco) t.entero("REPITE", al.repite);
      t.texto("ESTAMAT", "M");
      t.texto("TIPMATRI", "O");
      t.texto("LIBROCAL", a.porMil(700) ? "S" : "N");
      t.fecha("FECHAMAT", Fecha{e_.anyoAcademico, a.porMil(800) ? 7 : 9, a.entre(1, 20)});
      t.texto("TRASLAEX", a.porMil(30) ? "S" : "N");
      t.entero("TITUL_AC", 0);
      t.logico("METIDOGRUP", al.grupo >= 0);
      t.entero("PRIDIEX", 0);
      t.texto("TURNO", std::string(1, al.turno));
      if (al.grupo >= 0)
        t.texto("LINEA", std::string(1, e_.grupos[static_cast<std::size_t>(al.grupo)].linea));
      const bool religion = a.porMil(350);
      t.texto("REL_ETICA", religion ? "R" : "E");
      if (religion) t.texto("RELIGION", "C");
      for (const char* f : {"CUIDADORA", "LOGOPEDA", "FISIO", "RESIDENCIA"}) t.texto(f, "N");
      t.texto("APOYO", a.porMil(50) ? "S" : "N");
      t.texto("INTEGRADO", a.porMil(30) ? "S" : "N");
      t.texto("TRANSPOR", a.porMil(100) ? "S" : "N");
      t.texto("COMEDOR", a.porMil(150) ? "S" : "N");
      if (a.porMil(600)) t.texto("PROMOCIONA", al.repite ? "N" : "S");
      t.entero("PAISNAC", pais);
      char libro[16];
      std::snprintf(libro, sizeof libro, "%d/%05d", e_.anyoAcademico - (edad - 12),
                    a.entre(1, 99999));
      if (nivel == "ESO" || nivel == "PDC") t.texto("NUMLIBRO", libro);
      if (a.porMil(850))
        t.real("CENPROCED",
               static_cast<double>(c.localidad.provincia * 1000000 + a.entre(1001, 79999)));
      t.texto("APA", a.porMil(400) ? "S" : "N");
      t.texto("SEGURO", "S");
      if (edad >= 14) {
        char ss[24];
        std::snprintf(ss, sizeof ss, "%02d/%08d/%02d", c.localidad.provincia, a.entre(0, 99999999),
                      a.entre(0, 99));
        t.texto("SEG_SOCIAL", ss);
      }
      t.entero("ANOACAD", e_.anyoAcademico);
      if (al.grupo >= 0) t.entero("CORR", ++correlativo[al.grupo]);
      if (!al.obs.empty()) t.memo("OBS", memos.anadir(al.obs));
      if (!al.comentario.empty()) t.memo("COMENTARIO", memos.anadir(al.comentario));
      t.fecha("FECHABAJA", al.baja);
      if (!al.baja.vacia()) t.entero("CODBAJ", 3);
      if (a.porMil(300)) {
        t.texto("CB", "2100");
        t.texto("CS", std::to_string(a.entre(1000, 9999)));
        t.texto("DIGITOCON", std::to_string(a.entre(10, 99)));
        std::string cuenta = "0";
        cuenta += std::to_string(a.entre(100000000, 999999999));
        t.texto("CUENTA", cuenta);
        t.texto("TITULAR", nombreCompleto(a, a.porMil(600), false));
        t.logico("DOMICILIA", true);
      } else {
        t.logico("DOMICILIA", false);
      }
      t.texto("CODPLAN", nivel == "FPB" ? "LOE" : "LOMLOE");
      t.real("TASAACADE", 0);
      t.real("TASAADM", nivel == "CFS" ? 24.32 : 0);
      if (nivel == "CFM" || nivel == "CFS") t.real("TASAOTROS", 1.12);
      for (const char* f : {"ACS", "CONSEJO", "BAJAPEN"}) t.logico(f, false);
      if (a.porMil(900)) {
        t.logico("CONSEJOP", a.porMil(100));
        t.logico("CONSEJOM", a.porMil(100));
      }
      if (nivel == "BAC" || nivel == "CFM") t.texto("TITUESO", "S");
      if (al.borrado) t.borrar();
    }
    guardar(t, "alumnos.dbf", {2024, 10, 25});
    std::string bytes = memos.contenido();
    escribirArchivo(join(carpeta_, "alumnos.fpt"), bytes);
    resumen_.push_back({"alumnos.fpt", memos.memos(), 0, bytes.size()});
  }

  void centro() {
    TablaDbf t("centro", kDBase3, kCp850, camposCentro());
    t.setIndicadores(0x01);
    Azar a = a_.derivado(3);
    for (std::size_t i = 0; i < e_.centros.size(); ++i) {
      const Centro& c = e_.centros[i];
      t.nuevo();
      t.real("CODCEN", static_cast<double>(c.codcen));
      t.texto("LITCEN", c.nombre);
      t.texto("DOMICEN", c.domicilio);
      t.real("CODLOC", c.localidad.provincia * 1000 + a.entre(1, 260));
      t.texto("LITLOC", c.localidad.nombre);
      t.real("CODPOS", c.localidad.codpos + a.entre(0, 9));
      t.texto("TELEF", c.telefono);
      t.texto("FAX", c.fax);
      t.texto("CIF", c.cif);
      t.entero("CODTILAR", 1);
      t.entero("TIPOCEN", i == 0 ? 21 : 27);
      t.texto("HOHALI", "N");
      t.real("PLAZACOME", 0);
      t.real("RESIDENCIA", 0);
      t.real("TRANSPOR", i == 0 ? 2 : 0);
      t.real("VOLBIBLIO", a.entre(3000, 15000));
      for (const char* f : {"CAES", "PAES", "PLANEXP", "HORESP", "HOGAR"}) t.texto(f, "N");
      t.texto("PLANFOR", "S");
      t.entero("NUNIEESPC", 0);
      t.entero("NUNIEESPV", a.entre(0, 2));
      t.entero("NIVEL", 3);
      for (const char* f : {"INF", "EGB", "ES1", "BUP", "MOD", "EPA"}) t.texto(f, "N");
      t.texto("ES3", i == 0 ? "S" : "N");
      t.texto("BAC", i == 0 ? "S" : "N");
      t.texto("FP", "S");
      t.texto("CIC", "S");
      t.texto("ACTAS", "S");
      t.texto("ERPAS", "N");
      t.texto("EDICION", "240912");
      t.texto("CB", "2038");
      t.texto("CS", std::to_string(a.entre(1000, 9999)));
      t.texto("DIGITOCON", std::to_string(a.entre(10, 99)));
      std::string cuenta = "6";
      cuenta += std::to_string(a.entre(100000000, 999999999));
      t.texto("CUENTA", cuenta);
      t.real("SOLAR", a.entre(800000, 2500000) / 100.0);
      t.real("CONSTRUIDO", a.entre(500000, 1200000) / 100.0);
      t.texto("MODOFALTA", "H");
      for (const char* f : {"NFALTAL", "NFALTAG", "NRETRAL", "NRETRAG"})
        t.entero(f, a.entre(3, 10));
    }
    guardar(t, "centro.dbf", {2024, 6, 28});
  }

  void lhortipo() {
    TablaDbf t("lhortipo", kDBase3, kAnsi,
               {Num("CODCEN", 8), Num("NUMHORA", 2), S("DESDE", 5), S("HASTA", 5), S("TIPOHORA", 1),
                Num("MINUTOS", 3)});
    for (const Centro& c : e_.centros) {
      for (const Periodo& p : c.periodos) {
        t.nuevo();
        t.entero("CODCEN", c.codcen);
        t.entero("NUMHORA", p.numero);
        t.texto("DESDE", p.desde);
        t.texto("HASTA", p.hasta);
        t.texto("TIPOHORA", "L");
        t.entero("MINUTOS", 55);
        if (p.numero == 1) {
          // Last year's first period, since removed.
          t.nuevo();
          t.entero("CODCEN", c.codcen);
          t.entero("NUMHORA", 1);
          t.texto("DESDE", "07:45");
          t.texto("HASTA", "08:40");
          t.texto("TIPOHORA", "L");
          t.entero("MINUTOS", 55);
          t.borrar();
        }
      }
    }
    guardar(t, "lhortipo.dbf", {2024, 9, 2});
  }

  void ocupa() {
    TablaDbf t(
        "OCUPA", kDBase3, kCp1252,
        {S("OCUPA", 5), S("VLITERAL", 40), S("CLITERAL", 40), L("LECTIVA"), Num("ORDEN", 3)});
    int orden = 0;
    for (const OcupacionDef& o : ocupaciones()) {
      t.nuevo();
      t.texto("OCUPA", o.codigo);
      t.texto("VLITERAL", o.val);
      t.texto("CLITERAL", o.cas);
      t.logico("LECTIVA", o.lectiva);
      t.entero("ORDEN", ++orden);
      if (o.borrada) t.borrar();
    }
    guardar(t, "OCUPA.dbf", {2023, 9, 1});
  }

  void horprof() {
    TablaDbf t(
        "horprof", kDBase3, kAnsi,
        {Num("CODCEN", 8), Num("DNI", 10), Num("DIASEM", 1), Num("NUMHORA", 2), S("HORAD", 5),
         S("HORAH", 5), S("OCUPA", 5), S("CODGRUP", 5), S("CODASIG", 8), Num("CODAULA", 4)});
    struct Fila {
      int profesor, dia, hora;
      const Clase* clase;
      const Tarea* tarea;
    };
    std::vector<Fila> filas;
    for (const Clase& c : e_.clases) filas.push_back({c.profesor, c.dia, c.hora, &c, nullptr});
    for (const Tarea& ta : e_.tareas) filas.push_back({ta.profesor, ta.dia, ta.hora, nullptr, &ta});
    std::stable_sort(filas.begin(), filas.end(), [](const Fila& x, const Fila& y) {
      if (x.profesor != y.profesor) return x.profesor < y.profesor;
      if (x.dia != y.dia) return x.dia < y.dia;
      return x.hora < y.hora;
    });
    for (const Fila& f : filas) {
      const Profesor& p = e_.profesores[static_cast<std::size_t>(f.profesor)];
      int centro = f.clase ? e_.grupos[static_cast<std::size_t>(f.clase->grupo)].centro : p.centro;
      const Centro& ce = centroDe(centro);
      const Periodo& pe = ce.periodos[static_cast<std::size_t>(f.hora - 1)];
      t.nuevo();
      t.entero("CODCEN", ce.codcen);
      dni(t, "DNI", p);
      t.entero("DIASEM", f.dia);
      t.entero("NUMHORA", f.hora);
      t.texto("HORAD", pe.desde);
      t.texto("HORAH", pe.hasta);
      if (f.clase) {
        t.texto("OCUPA", "12");
        t.texto("CODGRUP", e_.grupos[static_cast<std::size_t>(f.clase->grupo)].codgrup);
        t.texto("CODASIG", e_.asignaturas[static_cast<std::size_t>(f.clase->asignatura)].codasig);
        codigoAula(t, "CODAULA", f.clase->aula);
      } else {
        t.texto("OCUPA", f.tarea->ocupa);
      }
    }
    guardar(t, "horprof.dbf", {2024, 9, 12});
  }

  const Escuela& e_;
  std::string carpeta_;
  Azar a_;
  std::vector<ResumenTabla> resumen_;
};

}  // namespace

std::vector<Campo> camposAsignat() {
  return {S("CODASIG", 8),     S("VLITEASIG", 30),  S("CLITEASIG", 30),  S("RAMAESPEC", 4),
          S("HORSEMTE", 5),    S("HORSEMPR", 5),    S("OPTATIVA", 1),    S("CIENCIAS", 1),
          S("LETRAS", 1),      S("GTP", 1),         S("LITRES", 3),      S("LITRESV", 3),
          SmallInt("NUMALGR"), SmallInt("DGRUPO"),  SmallInt("VGRUPO"),  SmallInt("NGRUPO"),
          SmallInt("NFALTAL"), SmallInt("NFALTAG"), SmallInt("NRETRAL"), SmallInt("NRETRAG"),
          SmallInt("HORANO"),  S("ACP", 3)};
}

std::vector<Campo> camposCentro() {
  auto F = [](const char* n) { return Num(n, 20, 4); };
  return {F("CODCEN"),         S("LITCEN", 45),      S("DOMICEN", 40),      F("CODLOC"),
          S("LITLOC", 30),     F("CODPOS"),          S("TELEF", 11),        S("FAX", 11),
          S("CIF", 11),        SmallInt("CODTILAR"), SmallInt("TIPOCEN"),   S("HOHALI", 1),
          F("PLAZACOME"),      F("RESIDENCIA"),      F("TRANSPOR"),         F("VOLBIBLIO"),
          S("CAES", 1),        S("PAES", 1),         S("PLANEXP", 1),       S("PLANFOR", 1),
          S("HORESP", 1),      S("HOGAR", 1),        SmallInt("NUNIEESPC"), SmallInt("NUNIEESPV"),
          SmallInt("NIVEL"),   S("INF", 1),          S("EGB", 1),           S("ES1", 1),
          S("BUP", 1),         S("ES3", 1),          S("BAC", 1),           S("FP", 1),
          S("MOD", 1),         S("CIC", 1),          S("EPA", 1),           S("ACTAS", 1),
          S("ERPAS", 1),       S("EDICION", 6),      S("BORRADO", 6),       S("CB", 4),
          S("CS", 4),          S("DIGITOCON", 2),    S("CUENTA", 10),       F("SOLAR"),
          F("CONSTRUIDO"),     S("MODOFALTA", 1),    SmallInt("NFALTAL"),   SmallInt("NFALTAG"),
          SmallInt("NRETRAL"), SmallInt("NRETRAG")};
}

std::vector<Campo> camposAlumnos() {
  // FoxPro's own floating type for the float fields.
  auto F = [](const char* n) { return Campo{n, 'F', 20, 4}; };
  return {S("APENOM", 45),      S("CODIGO", 10),     S("CODIGO2", 10),
          D("FECHANAC"),        SmallInt("CODPROV"), S("LOCALNAC", 50),
          SmallInt("PROVNAC"),  S("SEXO", 1),        S("DNIAL", 10),
          SmallInt("NACIONAL"), S("DOMICILIO", 30),  S("LOCALIDAD", 30),
          F("CODPOS"),          S("TELEF", 11),      S("TELEF2", 11),
          S("APENOMP", 45),     S("DNIP", 9),        S("APENOMM", 45),
          S("DNIM", 9),         S("CODCUR", 4),      S("CODGRUP", 5),
          S("CODGRUPREP", 4),   S("CODGRU3", 4),     SmallInt("INCAPACIDA"),
          SmallInt("COMPENSA"), F("CODCEN"),         S("OFILIB", 1),
          S("RAMA", 4),         S("BECARIO", 5),     S("NUEVOBECA", 1),
          SmallInt("REPITE"),   S("ESTAMAT", 1),     S("TIPMATRI", 1),
          S("LIBROCAL", 1),     D("FECHAMAT"),       S("TRASLAEX", 1),
          S("GRACERT", 1),      S("OBTGRCURA", 1),   SmallInt("TITUL_AC"),
          S("FP2CONBUP", 1),    S("FP2SENSCOM", 1),  S("FP2C1PLAEX", 1),
          S("FP2OTRAESP", 1),   L("METIDOGRUP"),     SmallInt("PRIDIEX"),
          SmallInt("SEIDIEX"),  S("TURNO", 1),       S("LINEA", 1),
          S("REL_ETICA", 1),    S("RELIGION", 1),    S("CUIDADORA", 1),
          S("LOGOPEDA", 1),     S("FISIO", 1),       S("APOYO", 1),
          S("INTEGRADO", 1),    S("TRANSPOR", 1),    S("COMEDOR", 1),
          S("RESIDENCIA", 1),   S("PROMOCIONA", 1),  SmallInt("PAISNAC"),
          S("NUMLIBRO", 10),    S("OPCION", 1),      F("CENPROCED"),
          S("APA", 1),          S("SEGURO", 1),      S("SEG_SOCIAL", 15),
          SmallInt("ANOACAD"),  SmallInt("CORR"),    M("OBS"),
          M("COMENTARIO"),      D("FECHABAJA"),      SmallInt("CODBAJ"),
          S("CB", 4),           S("CS", 4),          S("DIGITOCON", 2),
          S("CUENTA", 10),      S("CODPLAN", 10),    F("TASAACADE"),
          F("TASAADM"),         F("TASAOTROS"),      L("ACS"),
          L("DOMICILIA"),       L("CONSEJO"),        L("BAJAPEN"),
          L("CONSEJOP"),        L("CONSEJOM"),       S("TITULAR", 45),
          S("TITUESO", 1)};
}

std::vector<ResumenTabla> escribirGescen(const Escuela& e, const std::string& carpeta) {
  if (camposAsignat().size() != 22 || camposCentro().size() != 50 || camposAlumnos().size() != 88)
    throw std::logic_error("Estructura fija de tabla incompleta");
  // A file of an earlier folder spelt in another case would stand beside the new one on
  // systems that tell cases apart.
  const std::vector<std::string> nuestros = {
      "grupos.dbf",  "profesor.dbf", "horgrup.dbf", "asigalum.dbf", "asignat.dbf", "aulas.dbf",
      "alumnos.dbf", "alumnos.fpt",  "centro.dbf",  "lhortipo.dbf", "OCUPA.dbf",   "horprof.dbf"};
  auto mayus = [](std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
  };
  std::error_code ec;
  std::vector<std::filesystem::path> sobran;
  for (const auto& entrada : std::filesystem::directory_iterator(carpeta, ec)) {
    std::string n = entrada.path().filename().string();
    for (const std::string& nuestro : nuestros)
      if (n != nuestro && mayus(n) == mayus(nuestro)) sobran.push_back(entrada.path());
  }
  for (const auto& p : sobran) std::filesystem::remove(p, ec);
  return Escritor(e, carpeta).escribirTodo();
}

}  // namespace gen
