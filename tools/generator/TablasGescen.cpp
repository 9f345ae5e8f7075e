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

Campo s(const char* n, int w) { return {n, 'C', w, 0}; }
Campo smallInt(const char* n) { return {n, 'N', 6, 0}; }
Campo num(const char* n, int w, int d = 0) { return {n, 'N', w, d}; }
Campo d(const char* n) { return {n, 'D', 8, 0}; }
Campo l(const char* n) { return {n, 'L', 1, 0}; }
Campo m(const char* n) { return {n, 'M', 10, 0}; }

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
        {num("CODCEN", 8), s("CODGRUP", 5), s("LITEGRUP", 40), s("TURNO", 1), s("CODCUR", 4),
         s("CODAULA", 4), num("TUTOR", 10), num("NUMALUM", 3), s("LINEA", 1), num("ANOACAD", 4)});
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
        {num("CODCEN", 8), num("DNI", 10), s("APENOMPROF", 45), s("DEPARTA", 30), s("ESPECIAL", 4),
         d("FALTA"), d("FBAJA"), s("SEXO", 1), s("NRP", 15), s("DOMICILIO", 40), s("LOCALIDAD", 30),
         num("CODPOS", 5), s("TELEFONO", 11), num("HORLECT", 2), s("TUTOR", 5)});
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
               {num("CODCEN", 8), s("CODGRUP", 5), s("CODASIG", 8), num("DNI", 10),
                num("DIASEM", 1), num("NUMHORA", 2), s("HORDIADES", 5), s("HORDIAHAS", 5),
                num("CODAULA", 4), s("CODCUR", 4), num("SESION", 2), s("OCUPA", 5)});
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
               {num("CODCEN", 8), s("CODIGO", 10), s("CODASIG", 8), s("CODCUR", 4),
                num("ANOACAD", 4), s("CONVOCA", 1), s("EVAL1", 2), s("EVAL2", 2), s("EVAL3", 2),
                s("NOTAF", 2), l("PENDIENTE")});
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
               {num("CODCEN", 8), s("CODAULA", 4), s("LITAULA", 30), num("CAPACIDAD", 3),
                num("PLANTA", 2), s("TIPO", 1), s("EDIFICIO", 1)});
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
               {num("CODCEN", 8), num("NUMHORA", 2), s("DESDE", 5), s("HASTA", 5), s("TIPOHORA", 1),
                num("MINUTOS", 3)});
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
        {s("OCUPA", 5), s("VLITERAL", 40), s("CLITERAL", 40), l("LECTIVA"), num("ORDEN", 3)});
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
        {num("CODCEN", 8), num("DNI", 10), num("DIASEM", 1), num("NUMHORA", 2), s("HORAD", 5),
         s("HORAH", 5), s("OCUPA", 5), s("CODGRUP", 5), s("CODASIG", 8), num("CODAULA", 4)});
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
  return {s("CODASIG", 8),     s("VLITEASIG", 30),  s("CLITEASIG", 30),  s("RAMAESPEC", 4),
          s("HORSEMTE", 5),    s("HORSEMPR", 5),    s("OPTATIVA", 1),    s("CIENCIAS", 1),
          s("LETRAS", 1),      s("GTP", 1),         s("LITRES", 3),      s("LITRESV", 3),
          smallInt("NUMALGR"), smallInt("DGRUPO"),  smallInt("VGRUPO"),  smallInt("NGRUPO"),
          smallInt("NFALTAL"), smallInt("NFALTAG"), smallInt("NRETRAL"), smallInt("NRETRAG"),
          smallInt("HORANO"),  s("ACP", 3)};
}

std::vector<Campo> camposCentro() {
  auto f = [](const char* n) { return num(n, 20, 4); };
  return {f("CODCEN"),         s("LITCEN", 45),      s("DOMICEN", 40),      f("CODLOC"),
          s("LITLOC", 30),     f("CODPOS"),          s("TELEF", 11),        s("FAX", 11),
          s("CIF", 11),        smallInt("CODTILAR"), smallInt("TIPOCEN"),   s("HOHALI", 1),
          f("PLAZACOME"),      f("RESIDENCIA"),      f("TRANSPOR"),         f("VOLBIBLIO"),
          s("CAES", 1),        s("PAES", 1),         s("PLANEXP", 1),       s("PLANFOR", 1),
          s("HORESP", 1),      s("HOGAR", 1),        smallInt("NUNIEESPC"), smallInt("NUNIEESPV"),
          smallInt("NIVEL"),   s("INF", 1),          s("EGB", 1),           s("ES1", 1),
          s("BUP", 1),         s("ES3", 1),          s("BAC", 1),           s("FP", 1),
          s("MOD", 1),         s("CIC", 1),          s("EPA", 1),           s("ACTAS", 1),
          s("ERPAS", 1),       s("EDICION", 6),      s("BORRADO", 6),       s("CB", 4),
          s("CS", 4),          s("DIGITOCON", 2),    s("CUENTA", 10),       f("SOLAR"),
          f("CONSTRUIDO"),     s("MODOFALTA", 1),    smallInt("NFALTAL"),   smallInt("NFALTAG"),
          smallInt("NRETRAL"), smallInt("NRETRAG")};
}

std::vector<Campo> camposAlumnos() {
  // FoxPro's own floating type for the float fields.
  auto f = [](const char* n) { return Campo{n, 'F', 20, 4}; };
  return {s("APENOM", 45),      s("CODIGO", 10),     s("CODIGO2", 10),
          d("FECHANAC"),        smallInt("CODPROV"), s("LOCALNAC", 50),
          smallInt("PROVNAC"),  s("SEXO", 1),        s("DNIAL", 10),
          smallInt("NACIONAL"), s("DOMICILIO", 30),  s("LOCALIDAD", 30),
          f("CODPOS"),          s("TELEF", 11),      s("TELEF2", 11),
          s("APENOMP", 45),     s("DNIP", 9),        s("APENOMM", 45),
          s("DNIM", 9),         s("CODCUR", 4),      s("CODGRUP", 5),
          s("CODGRUPREP", 4),   s("CODGRU3", 4),     smallInt("INCAPACIDA"),
          smallInt("COMPENSA"), f("CODCEN"),         s("OFILIB", 1),
          s("RAMA", 4),         s("BECARIO", 5),     s("NUEVOBECA", 1),
          smallInt("REPITE"),   s("ESTAMAT", 1),     s("TIPMATRI", 1),
          s("LIBROCAL", 1),     d("FECHAMAT"),       s("TRASLAEX", 1),
          s("GRACERT", 1),      s("OBTGRCURA", 1),   smallInt("TITUL_AC"),
          s("FP2CONBUP", 1),    s("FP2SENSCOM", 1),  s("FP2C1PLAEX", 1),
          s("FP2OTRAESP", 1),   l("METIDOGRUP"),     smallInt("PRIDIEX"),
          smallInt("SEIDIEX"),  s("TURNO", 1),       s("LINEA", 1),
          s("REL_ETICA", 1),    s("RELIGION", 1),    s("CUIDADORA", 1),
          s("LOGOPEDA", 1),     s("FISIO", 1),       s("APOYO", 1),
          s("INTEGRADO", 1),    s("TRANSPOR", 1),    s("COMEDOR", 1),
          s("RESIDENCIA", 1),   s("PROMOCIONA", 1),  smallInt("PAISNAC"),
          s("NUMLIBRO", 10),    s("OPCION", 1),      f("CENPROCED"),
          s("APA", 1),          s("SEGURO", 1),      s("SEG_SOCIAL", 15),
          smallInt("ANOACAD"),  smallInt("CORR"),    m("OBS"),
          m("COMENTARIO"),      d("FECHABAJA"),      smallInt("CODBAJ"),
          s("CB", 4),           s("CS", 4),          s("DIGITOCON", 2),
          s("CUENTA", 10),      s("CODPLAN", 10),    f("TASAACADE"),
          f("TASAADM"),         f("TASAOTROS"),      l("ACS"),
          l("DOMICILIA"),       l("CONSEJO"),        l("BAJAPEN"),
          l("CONSEJOP"),        l("CONSEJOM"),       s("TITULAR", 45),
          s("TITUESO", 1)};
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
