#include "tools/generator/Solucion.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "dbf/FieldValue.h"
#include "dbf/Table.h"
#include "tools/generator/Azar.h"
#include "tools/generator/EscritorDbf.h"

namespace gen {
namespace {

constexpr int kDias = 5;
constexpr int kHoras = 7;
constexpr int kSlots = kDias * kHoras;

struct Asignacion {
  std::string casig, cprof, cgrup, nivel, curso, grupo, ctarea;
  double horas = 0;
  int lecciones = 0;
};

struct Registro {
  int dia = 0, hora = 0;
  std::string tarea, prof, nivel, curso, asig, grupo, aula, cgrup;
  int sesion = 0;
  bool fija = false;
};

// The file of that name in the folder, whatever the case of its letters.
std::string buscar(const std::string& carpeta, const std::string& nombre) {
  namespace fs = std::filesystem;
  auto mayus = [](std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
  };
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(carpeta, ec))
    if (mayus(e.path().filename().string()) == mayus(nombre)) return e.path().filename().string();
  return {};
}

std::vector<Asignacion> leerAsignaciones(const std::string& carpeta) {
  std::string nombre = buscar(carpeta, "ASIGT.DBF");
  if (nombre.empty()) throw std::runtime_error("No se encuentra ASIGT.DBF en " + carpeta);
  dbf::Table t;
  t.setDatabaseName(carpeta);
  t.setTableName(nombre);
  t.setReadOnly(true);
  t.open();
  const bool conSesiones = t.layout().find("SESIONES") >= 0;
  const bool conTarea = t.layout().find("CTAREA") >= 0;
  std::vector<Asignacion> v;
  for (t.first(); !t.eof(); t.next()) {
    Asignacion a;
    a.casig = t.asString("CASIG");
    a.cprof = t.asString("CPROF");
    a.cgrup = t.asString("CGRUP");
    a.nivel = t.asString("NIVEL");
    a.curso = t.asString("CURSO");
    a.grupo = t.asString("GRUPO");
    a.horas = t.asFloat("HORAS");
    a.ctarea = conTarea ? t.asString("CTAREA") : "";
    if (a.ctarea.empty()) a.ctarea = "*12";
    if (conSesiones) {
      std::string s = t.asString("SESIONES");
      a.lecciones = static_cast<int>(std::count(s.begin(), s.end(), '1'));
    } else {
      a.lecciones = static_cast<int>(std::max<std::int64_t>(0, dbf::roundHalfEven(a.horas)));
    }
    v.push_back(a);
  }
  t.close();
  return v;
}

// One text field of every record of a table of the work folder, when it is there.
std::vector<std::string> columna(const std::string& carpeta, const std::string& tabla,
                                 const std::string& campo, const std::string& filtroLogico = {}) {
  std::vector<std::string> v;
  std::string nombre = buscar(carpeta, tabla);
  if (nombre.empty()) return v;
  dbf::Table t;
  t.setDatabaseName(carpeta);
  t.setTableName(nombre);
  t.setReadOnly(true);
  t.open();
  if (t.layout().find(campo) >= 0 && (filtroLogico.empty() || t.layout().find(filtroLogico) >= 0))
    for (t.first(); !t.eof(); t.next())
      if (filtroLogico.empty() || t.asBoolean(filtroLogico)) v.push_back(t.asString(campo));
  t.close();
  return v;
}

class Colocador {
 public:
  Colocador(std::vector<Asignacion> asig, Azar a) : asig_(std::move(asig)), a_(a) {}

  std::vector<Registro> colocar(const std::vector<std::string>& aulas) {
    // Groups, each with its rows, the longest subjects first.
    std::map<std::string, std::vector<int>> porGrupo;
    std::vector<std::string> orden;
    for (std::size_t i = 0; i < asig_.size(); ++i) {
      const Asignacion& x = asig_[i];
      std::string clave = x.nivel + "|" + x.curso + "|" + x.grupo + "|" + x.cgrup;
      if (!porGrupo.count(clave)) orden.push_back(clave);
      porGrupo[clave].push_back(static_cast<int>(i));
    }
    std::vector<Registro> out;
    for (std::size_t gi = 0; gi < orden.size(); ++gi) {
      std::vector<int>& filas = porGrupo[orden[gi]];
      std::stable_sort(filas.begin(), filas.end(), [&](int x, int y) {
        return asig_[static_cast<std::size_t>(x)].lecciones >
               asig_[static_cast<std::size_t>(y)].lecciones;
      });
      std::string aulaGrupo = aulas.empty() ? "" : aulas[gi % aulas.size()];
      // Only a group with more lessons than a week has periods runs lessons side by side.
      int total = 0;
      for (int f : filas) total += asig_[static_cast<std::size_t>(f)].lecciones;
      const bool apilar = total > kSlots;
      std::vector<std::vector<int>> ocupantes(kSlots);  // rows placed at each slot
      for (int f : filas) {
        const Asignacion& x = asig_[static_cast<std::size_t>(f)];
        std::vector<char> diaUsado(kDias + 1, 0);
        for (int k = 0; k < x.lecciones; ++k) {
          int sl = elegir(x, f, ocupantes, diaUsado, apilar);
          Registro r;
          r.tarea = x.ctarea;
          r.prof = x.cprof;
          r.nivel = x.nivel;
          r.curso = x.curso;
          r.asig = x.casig;
          r.grupo = x.grupo;
          r.cgrup = x.cgrup;
          r.sesion = k + 1;
          if (sl >= 0) {
            ocupantes[static_cast<std::size_t>(sl)].push_back(f);
            if (!x.cprof.empty()) profesor_[x.cprof].emplace(sl, clase(x));
            diaUsado[static_cast<std::size_t>(sl / kHoras + 1)] = 1;
            r.dia = sl / kHoras + 1;
            r.hora = sl % kHoras + 1;
            r.aula = aula(aulaGrupo, aulas);
            r.fija = a_.porMil(20);
          }
          out.push_back(r);
        }
      }
    }
    return out;
  }

  // Non-teaching periods of each teacher in free periods.
  void tareas(const std::vector<std::string>& profesores, const std::vector<std::string>& codigos,
              std::vector<Registro>& out) {
    for (const std::string& p : profesores) {
      if (p.empty()) continue;
      auto& ocupado = profesor_[p];
      int n = a_.entre(2, 4);
      for (int k = 0; k < n; ++k) {
        std::vector<int> libres;
        for (int sl = 0; sl < kSlots; ++sl)
          if (!ocupado.count(sl) && sl % kHoras != kHoras - 1) libres.push_back(sl);
        if (libres.empty()) break;
        int sl = a_.elegir(libres);
        ocupado.emplace(sl, "");
        Registro r;
        r.dia = sl / kHoras + 1;
        r.hora = sl % kHoras + 1;
        r.tarea = k < 2 ? codigos.front() : a_.elegir(codigos);
        r.prof = p;
        if (r.tarea.find("BIB") != std::string::npos) r.aula = "BIB";
        out.push_back(r);
      }
    }
  }

 private:
  // What a teacher teaches in a period: one subject to one course, maybe to several of
  // its groups at once.
  static std::string clase(const Asignacion& x) { return x.casig + "|" + x.nivel + "|" + x.curso; }

  int elegir(const Asignacion& x, int fila, const std::vector<std::vector<int>>& ocupantes,
             const std::vector<char>& diaUsado, bool apilar) {
    std::vector<int> candidatos(kSlots);
    for (int i = 0; i < kSlots; ++i) candidatos[static_cast<std::size_t>(i)] = i;
    a_.barajar(candidatos);
    std::stable_partition(candidatos.begin(), candidatos.end(),
                          [](int sl) { return sl % kHoras != kHoras - 1; });
    const std::map<int, std::string>* ocupado = nullptr;
    if (!x.cprof.empty()) ocupado = &profesor_[x.cprof];
    auto profLibre = [&](int sl) { return !ocupado || !ocupado->count(sl); };
    auto mismaClase = [&](int sl) {
      if (!ocupado) return false;
      auto it = ocupado->find(sl);
      return it != ocupado->end() && it->second == clase(x);
    };
    auto yaEnElGrupo = [&](int sl) {
      for (int o : ocupantes[static_cast<std::size_t>(sl)])
        if (o == fila || asig_[static_cast<std::size_t>(o)].casig == x.casig) return true;
      return false;
    };
    // An overfull group shares its teacher's class with another group of its course,
    // as options gather students of several groups.
    if (apilar)
      for (int sl : candidatos)
        if (mismaClase(sl) && !yaEnElGrupo(sl) &&
            ocupantes[static_cast<std::size_t>(sl)].size() < 5)
          return sl;
    // A free period of the group, on a new day if possible.
    for (int fase = 0; fase < 2; ++fase)
      for (int sl : candidatos) {
        if (!ocupantes[static_cast<std::size_t>(sl)].empty() || !profLibre(sl)) continue;
        if (fase == 0 && diaUsado[static_cast<std::size_t>(sl / kHoras + 1)] &&
            x.lecciones <= kDias)
          continue;
        return sl;
      }
    if (!apilar) return -1;
    // The group's week is full: the lesson runs beside another one of the group (a split
    // group), preferably beside a subject of the same length, as options are.
    int mejor = -1;
    for (int sl : candidatos) {
      const auto& oc = ocupantes[static_cast<std::size_t>(sl)];
      if (!profLibre(sl) || yaEnElGrupo(sl) || oc.size() >= 5) continue;
      bool mismaLongitud = false;
      for (int o : oc)
        mismaLongitud =
            mismaLongitud || asig_[static_cast<std::size_t>(o)].lecciones == x.lecciones;
      if (mismaLongitud) return sl;
      if (mejor < 0) mejor = sl;
    }
    return mejor;
  }

  std::string aula(const std::string& propia, const std::vector<std::string>& aulas) {
    int r = static_cast<int>(a_.menor(1000));
    if (r < 30) return "";
    if (r < 40)
      return std::string(1, static_cast<char>('A' + a_.menor(4))) + std::to_string(a_.entre(1, 20));
    if (r < 45) return std::to_string(a_.entre(1000, 2999));
    if (r < 150 && !aulas.empty()) return a_.elegir(aulas);
    return propia;
  }

  std::vector<Asignacion> asig_;
  Azar a_;
  std::map<std::string, std::map<int, std::string>> profesor_;  // period -> class
};

std::vector<Campo> camposSoluc() {
  return {{"DIA", 'N', 1, 0},   {"HORA", 'N', 2, 0},   {"TAREA", 'C', 8, 0}, {"PROF", 'C', 4, 0},
          {"NIVEL", 'C', 5, 0}, {"CURSO", 'C', 3, 0},  {"ASIG", 'C', 4, 0},  {"GRUPO", 'C', 2, 0},
          {"AULA", 'C', 4, 0},  {"SESION", 'N', 2, 0}, {"CGRUP", 'C', 4, 0}, {"FIJA", 'L', 1, 0}};
}

}  // namespace

ResumenSolucion escribirSolucion(const OpcionesSolucion& op) {
  ResumenSolucion res;
  Azar a(op.semilla ^ 0x50C0DBFull);
  std::vector<Asignacion> asig = leerAsignaciones(op.carpeta);
  res.filasAsignaciones = static_cast<std::uint32_t>(asig.size());

  std::vector<std::string> aulas;
  for (const std::string& c : columna(op.carpeta, "AULAT.DBF", "ABREV"))
    if (!c.empty() && c.size() <= 3 &&
        std::all_of(c.begin(), c.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
      aulas.push_back(c);
  if (aulas.empty())
    for (int planta = 1; planta <= 3; ++planta)
      for (int n = 1; n <= 12; ++n) aulas.push_back(std::to_string(planta * 100 + n));

  std::vector<std::string> profesores = columna(op.carpeta, "PROFT.DBF", "ABREV");
  if (profesores.empty()) {
    std::set<std::string> vistos;
    for (const Asignacion& x : asig)
      if (vistos.insert(x.cprof).second) profesores.push_back(x.cprof);
  }
  std::vector<std::string> codigos;
  for (const std::string& c : columna(op.carpeta, "ASIGNOMT.DBF", "CODLARGO", "ESTAREA"))
    if (c.size() > 1 && c != "*12" && std::find(codigos.begin(), codigos.end(), c) == codigos.end())
      codigos.push_back(c);
  auto gua = std::find(codigos.begin(), codigos.end(), "*GUA");
  if (gua != codigos.end()) std::rotate(codigos.begin(), gua, gua + 1);
  if (codigos.empty()) codigos = {"*GUA", "*REU1", "*ATP", "*CAP"};

  Colocador col(asig, a.derivado(1));
  std::vector<Registro> regs = col.colocar(aulas);
  // A few lessons the generator could not place, left on day 0.
  Azar b = a.derivado(2);
  for (std::size_t i = 0, n = std::max<std::size_t>(1, regs.size() / 400); i < n && !regs.empty();
       ++i) {
    Registro& r = regs[b.menor(regs.size())];
    r.dia = 0;
    r.hora = 0;
    r.aula.clear();
  }
  std::size_t lecciones = regs.size();
  col.tareas(profesores, codigos, regs);
  res.tareas = static_cast<std::uint32_t>(regs.size() - lecciones);

  std::stable_sort(regs.begin(), regs.end(), [](const Registro& x, const Registro& y) {
    if (x.prof != y.prof) return x.prof < y.prof;
    if (x.dia != y.dia) return x.dia < y.dia;
    return x.hora < y.hora;
  });

  if (op.registros >= 0) {
    std::size_t quiero = static_cast<std::size_t>(op.registros);
    if (quiero < regs.size()) {
      regs.resize(quiero);
    } else if (quiero > regs.size()) {
      // Padding: the lessons again, moved to other days and periods.
      std::vector<Registro> base;
      for (const Registro& r : regs)
        if (r.dia != 0 && !r.nivel.empty()) base.push_back(r);
      if (base.empty())
        for (const Registro& r : regs)
          if (r.dia != 0) base.push_back(r);
      if (base.empty())
        throw std::runtime_error("No hay lecciones con las que completar " +
                                 std::to_string(quiero) + " registros");
      for (int vuelta = 1; regs.size() < quiero; ++vuelta)
        for (std::size_t i = 0; i < base.size() && regs.size() < quiero; ++i) {
          Registro r = base[i];
          r.dia = (r.dia - 1 + vuelta) % kDias + 1;
          r.hora = (r.hora - 1 + 3 * vuelta) % kHoras + 1;
          regs.push_back(r);
        }
    }
  }

  TablaDbf t("SOLUC", kDBase3, 0x57, camposSoluc());
  t.setFechaActualizacion({2024, 9, 20});
  for (const Registro& r : regs) {
    t.nuevo();
    t.entero("DIA", r.dia);
    t.entero("HORA", r.hora);
    t.texto("TAREA", r.tarea);
    t.texto("PROF", r.prof);
    t.texto("NIVEL", r.nivel);
    t.texto("CURSO", r.curso);
    t.texto("ASIG", r.asig);
    t.texto("GRUPO", r.grupo);
    t.texto("AULA", r.aula);
    if (r.sesion > 0) t.entero("SESION", std::min(r.sesion, 99));
    t.texto("CGRUP", r.cgrup);
    t.logico("FIJA", r.fija);
    if (r.dia == 0)
      ++res.sinColocar;
    else if (!r.nivel.empty() || !r.curso.empty())
      ++res.lecciones;
  }
  std::string destino = buscar(op.carpeta, "SOLUC.DBF");
  res.ruta = op.carpeta + "/" + (destino.empty() ? "SOLUC.DBF" : destino);
  t.escribir(res.ruta);
  res.registros = t.registros();
  return res;
}

}  // namespace gen
