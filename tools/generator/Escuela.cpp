#include "tools/generator/Escuela.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>

namespace gen {
namespace {

// Group letters: the alphabet first, then digits and small letters for the largest
// schools, which run out of capital letters.
constexpr const char* kLetras = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";

std::string ordinal(int curso) {
  switch (curso) {
    case 1:
      return "1r";
    case 2:
      return "2n";
    case 3:
      return "3r";
    case 4:
      return "4t";
  }
  return std::to_string(curso) + "é";
}

std::string hhmm(int minutos) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d:%02d", (minutos / 60) % 24, minutos % 60);
  return b;
}

std::vector<Periodo> jornada(int inicio, int duracion, int pausaTras, int pausa) {
  std::vector<Periodo> v;
  int t = inicio;
  for (int n = 1; n <= kHoras; ++n) {
    v.push_back({n, hhmm(t), hhmm(t + duracion)});
    t += duracion;
    if (n == pausaTras) t += pausa;
  }
  return v;
}

std::string tresCifras(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%03d", n);
  return b;
}

// Weekly hours as GESCEN users type them: "4", " 4" (as a number is shown), and
// sometimes nothing for a tutorial hour.
std::string textoHoras(Azar& a, int sesiones, bool tutoria) {
  if (sesiones <= 0) return "";
  if (tutoria && a.porMil(400)) return "";
  std::string s = std::to_string(sesiones);
  if (s.size() == 1 && a.porMil(300)) s = " " + s;
  return s;
}

int slot(int dia, int hora) { return (dia - 1) * kHoras + (hora - 1); }

class Constructor {
 public:
  Constructor(Tamano t, std::uint64_t semilla) : raiz_(semilla) {
    e_.tamano = t;
    e_.semilla = semilla;
  }

  Escuela construir() {
    crearCentros();
    crearAsignaturas();
    crearGrupos();
    crearAulas();
    crearProfesores();
    asignarDocencia();
    colocarHorario();
    anadirTareas();
    marcarIncidenciasProfesores();
    crearAlumnos();
    crearMatriculas();
    return std::move(e_);
  }

 private:
  Azar flujo(std::uint64_t n) const { return raiz_.derivado(n); }
  int escala(int grande) const {
    switch (e_.tamano) {
      case Tamano::Pequeno:
        return std::max(1, grande / 3);
      case Tamano::Grande:
        return grande;
      case Tamano::Enorme:
        break;
    }
    return grande * 10;
  }

  void crearCentros() {
    Azar a = flujo(1);
    std::vector<NombreCentro> nombres = nombresCentro();
    a.barajar(nombres);
    int n = e_.tamano == Tamano::Pequeno ? 1 : 2;
    const int provincia = nombres[0].provincia;
    std::vector<Poblacion> propias;
    for (const Poblacion& p : poblaciones())
      if (p.provincia == provincia) propias.push_back(p);
    const Poblacion lugar = a.elegir(propias);
    std::set<std::int64_t> usados;
    for (int i = 0; i < n; ++i) {
      Centro c;
      c.nombre = nombres[0].nombre;
      if (i == 1) c.nombre = "CIPFP" + c.nombre.substr(3);
      do {
        c.codcen = static_cast<std::int64_t>(provincia) * 1000000 + a.entre(1001, 79999);
      } while (!usados.insert(c.codcen).second);
      c.localidad = lugar;
      c.domicilio = domicilio(a);
      c.telefono = telefonoFijo(a, provincia);
      c.fax = telefonoFijo(a, provincia);
      char cif[16];
      std::snprintf(cif, sizeof cif, "Q%02d%05d%c", provincia, a.entre(0, 99999),
                    "ABCDEFGHJ"[a.menor(9)]);
      c.cif = cif;
      if (i == 0) {
        static const int inicios[] = {8 * 60, 8 * 60, 8 * 60 + 5, 8 * 60 + 15, 7 * 60 + 55};
        c.turno = 'M';
        c.periodos = jornada(a.elegir(inicios), 55, 3, a.porMil(500) ? 30 : 20);
      } else {
        c.turno = 'V';
        c.periodos = jornada(15 * 60, 55, 3, 15);
      }
      e_.centros.push_back(c);
    }
  }

  void crearAsignaturas() {
    Azar a = flujo(2);
    const auto& ps = planes();
    for (std::size_t pi = 0; pi < ps.size(); ++pi) {
      for (const CursoPlan& cp : ps[pi].cursos) {
        if (gruposDe(cp, e_.tamano) == 0) continue;
        int numero = 0;
        for (const MateriaPlan& m : cp.materias) {
          Asignatura s;
          s.codasig = std::to_string(cp.curso) + ps[pi].nivel + tresCifras(++numero);
          s.val = m.val;
          s.cas = m.cas;
          s.litresv = m.litresv;
          s.litres = m.litres;
          s.sesiones = m.sesiones;
          s.bloque = m.bloque;
          s.depto = m.depto;
          s.plan = static_cast<int>(pi);
          s.curso = cp.curso;
          s.horsemte = m.horsemte ? m.horsemte : textoHoras(a, m.sesiones, m.depto == DTutor);
          porCurso_[{s.plan, s.curso}].push_back(static_cast<int>(e_.asignaturas.size()));
          e_.asignaturas.push_back(s);
        }
      }
    }
    // A subject of an earlier curriculum, deleted from the table but still named by
    // some enrolments.
    Asignatura vieja = e_.asignaturas.front();
    vieja.codasig = vieja.codasig.substr(0, 4) + "099";
    vieja.val = "Informàtica";
    vieja.cas = "Informática";
    vieja.litresv = "INF";
    vieja.litres = "INF";
    vieja.horsemte = "2";
    vieja.sesiones = 0;
    vieja.bloque = 0;
    vieja.borrada = true;
    antigua_ = static_cast<int>(e_.asignaturas.size());
    e_.asignaturas.push_back(vieja);
  }

  void crearGrupos() {
    Azar a = flujo(3);
    const auto& ps = planes();
    for (std::size_t pi = 0; pi < ps.size(); ++pi) {
      const Plan& p = ps[pi];
      for (const CursoPlan& cp : p.cursos) {
        int n = gruposDe(cp, e_.tamano);
        if (n > 62) throw std::logic_error("Demasiados grupos en un curso");
        const int primero = static_cast<int>(e_.grupos.size());
        for (int g = 0; g < n; ++g) {
          Grupo gr;
          gr.plan = static_cast<int>(pi);
          gr.curso = cp.curso;
          gr.codcur = std::to_string(cp.curso) + p.nivel;
          gr.codgrup = gr.codcur + kLetras[g];
          gr.litegrup = ordinal(cp.curso) + " " + p.nombreVal + " " + kLetras[g];
          gr.turno = p.turno;
          gr.centro = (p.segundoCentro && e_.centros.size() > 1) ? 1 : 0;
          gr.linea = a.porMil(600) ? 'V' : 'C';
          // Option subjects gather the students of two groups (three for the last of an
          // odd number).
          int enPar = g - g % 2;
          if (n % 2 == 1 && n >= 3 && g == n - 1) enPar = n - 3;
          gr.lider = primero + enPar;
          e_.grupos.push_back(gr);
        }
      }
    }
    // Group records entered twice.
    int duplicados =
        e_.tamano == Tamano::Pequeno ? 1 : escala(2) + 2 * (e_.tamano == Tamano::Enorme);
    for (int i = 0; i < duplicados; ++i) e_.grupos[a.menor(e_.grupos.size())].repeticiones = 2;
  }

  int nuevaAula(int centro, char tipo, const std::string& nombre, int capacidad,
                const std::string& codigo = {}) {
    Aula au;
    au.centro = centro;
    au.tipo = tipo;
    au.capacidad = capacidad;
    if (codigo.empty()) {
      int i = secuenciaAula_++;
      int planta = 1 + i / 30;
      int num = i % 30 + 1;
      au.planta = planta;
      au.codigo = std::to_string(planta * 100 + num);
      char lit[32];
      std::snprintf(lit, sizeof lit, "%d.%02d", planta, num);
      au.nombre = nombre.empty() ? std::string("Aula ") + lit : nombre;
    } else {
      au.codigo = codigo;
      au.nombre = nombre;
    }
    e_.aulas.push_back(au);
    return static_cast<int>(e_.aulas.size()) - 1;
  }

  void crearAulas() {
    for (std::size_t c = 0; c < e_.centros.size(); ++c) {
      int grupos = 0, fp = 0;
      for (Grupo& g : e_.grupos) {
        if (g.centro != static_cast<int>(c)) continue;
        ++grupos;
        g.aula = nuevaAula(static_cast<int>(c), 'G', "", g.plan == 0 ? 30 : 32);
        const std::string nivel = planes()[static_cast<std::size_t>(g.plan)].nivel;
        if (nivel == "CFM" || nivel == "CFS" || nivel == "FPB") ++fp;
      }
      if (grupos == 0) continue;
      auto varias = [&](int n, char tipo, const std::string& nombre, int cap) {
        for (int i = 1; i <= n; ++i)
          aulasTipo_[{static_cast<int>(c), tipo}].push_back(nuevaAula(
              static_cast<int>(c), tipo, n > 1 ? nombre + " " + std::to_string(i) : nombre, cap));
      };
      varias(std::max(1, grupos / 4), 'D', "Aula de desdoblament", 15);
      varias(std::max(1, fp / 2 + grupos / 15), 'I', "Aula d'Informàtica", 24);
      if (fp < grupos) {
        varias(std::max(1, grupos / 20), 'L', "Laboratori de Ciències", 24);
        varias(std::max(1, grupos / 25), 'L', "Laboratori de Física i Química", 24);
        varias(std::max(1, grupos / 25), 'T', "Taller de Tecnologia", 24);
        varias(std::max(1, grupos / 30), 'M', "Aula de Música", 30);
        varias(std::max(1, grupos / 30), 'A', "Aula de Dibuix", 30);
      }
      std::string suf = c == 0 ? "" : std::to_string(c + 1);
      aulasTipo_[{static_cast<int>(c), 'E'}].push_back(
          nuevaAula(static_cast<int>(c), 'E', "Gimnàs", 60, "GIM" + suf));
      if (fp < grupos) nuevaAula(static_cast<int>(c), 'E', "Pavelló Esportiu", 90, "PAV" + suf);
      nuevaAula(static_cast<int>(c), 'B', "Biblioteca", 40, "BIB" + suf);
      nuevaAula(static_cast<int>(c), 'S', "Sala de Professorat", 50, "SP" + suf);
      nuevaAula(static_cast<int>(c), 'G', "Saló d'Actes", 150);
    }
  }

  const std::vector<int>& materiasDe(int plan, int curso) { return porCurso_[{plan, curso}]; }

  void crearProfesores() {
    Azar a = flujo(4);
    const int nd = static_cast<int>(departamentos().size());
    std::vector<int> demanda(static_cast<std::size_t>(nd), 0);
    for (std::size_t g = 0; g < e_.grupos.size(); ++g)
      for (int s : materiasDe(e_.grupos[g].plan, e_.grupos[g].curso)) {
        const Asignatura& as = e_.asignaturas[static_cast<std::size_t>(s)];
        if (as.bloque != 0 && e_.grupos[g].lider != static_cast<int>(g)) continue;
        if (as.sesiones > 0 && as.depto >= 0)
          demanda[static_cast<std::size_t>(as.depto)] += as.sesiones;
      }
    std::vector<int> cuantos(static_cast<std::size_t>(nd), 0);
    for (int d = 0; d < nd; ++d) {
      int dem = demanda[static_cast<std::size_t>(d)];
      cuantos[static_cast<std::size_t>(d)] = dem == 0 ? 0 : (dem + 18) / 19;
    }
    cuantos[DOri] += 1 + static_cast<int>(e_.grupos.size()) / 25;
    for (int d = 0; d < nd; ++d)
      for (int i = 0; i < cuantos[static_cast<std::size_t>(d)]; ++i)
        e_.profesores.push_back(nuevoProfesor(a, d));
    a.barajar(e_.profesores);
    for (std::size_t i = 0; i < e_.profesores.size(); ++i)
      porDepto_[e_.profesores[i].depto].push_back(static_cast<int>(i));
  }

  Profesor nuevoProfesor(Azar& a, int depto) {
    Profesor p;
    p.depto = depto;
    p.mujer = a.porMil(560);
    p.nombre = nombreCompleto(a, p.mujer, false);
    do {
      p.dni = a.entre(10000000, 79999999);
    } while (!dnis_.insert(p.dni).second);
    p.alta = Fecha{a.entre(1992, 2024), 9, 1};
    return p;
  }

  int profesorMenosCargado(int depto, Azar& a) {
    const auto& v = porDepto_[depto];
    if (v.empty()) throw std::logic_error("Departamento sin profesorado");
    int mejor = -1;
    int empates = 0;
    for (int p : v) {
      int c = e_.profesores[static_cast<std::size_t>(p)].carga;
      if (mejor < 0 || c < e_.profesores[static_cast<std::size_t>(mejor)].carga) {
        mejor = p;
        empates = 1;
      } else if (c == e_.profesores[static_cast<std::size_t>(mejor)].carga &&
                 a.menor(static_cast<std::uint64_t>(++empates)) == 0) {
        mejor = p;
      }
    }
    return mejor;
  }

  void asignarDocencia() {
    Azar a = flujo(5);
    docente_.assign(e_.grupos.size(), {});
    for (std::size_t g = 0; g < e_.grupos.size(); ++g) {
      Grupo& gr = e_.grupos[g];
      for (int s : materiasDe(gr.plan, gr.curso)) {
        const Asignatura& as = e_.asignaturas[static_cast<std::size_t>(s)];
        if (as.sesiones <= 0 || as.depto < 0) continue;
        if (as.bloque != 0 && gr.lider != static_cast<int>(g)) {
          docente_[g][s] = docente_[static_cast<std::size_t>(gr.lider)].at(s);
          continue;
        }
        int p = profesorMenosCargado(as.depto, a);
        e_.profesores[static_cast<std::size_t>(p)].carga += as.sesiones;
        docente_[g][s] = p;
      }
      // The tutor is one of the group's own teachers that has no other group yet.
      int tutor = -1;
      for (const auto& [s, p] : docente_[g]) {
        const Profesor& pr = e_.profesores[static_cast<std::size_t>(p)];
        if (pr.tutor || e_.asignaturas[static_cast<std::size_t>(s)].bloque != 0) continue;
        if (tutor < 0 || pr.carga < e_.profesores[static_cast<std::size_t>(tutor)].carga) tutor = p;
      }
      if (tutor < 0) tutor = docente_[g].empty() ? 0 : docente_[g].begin()->second;
      gr.tutor = tutor;
      e_.profesores[static_cast<std::size_t>(tutor)].tutor = true;
      for (int s : materiasDe(gr.plan, gr.curso)) {
        const Asignatura& as = e_.asignaturas[static_cast<std::size_t>(s)];
        if (as.sesiones > 0 && as.depto == DTutor) {
          docente_[g][s] = tutor;
          e_.profesores[static_cast<std::size_t>(tutor)].carga += as.sesiones;
        }
      }
    }
  }

  // Room for one lesson: the subject's kind of room when the centre has one free,
  // otherwise the group's own room, otherwise any free room for groups.
  int elegirAula(const Grupo& g, const Asignatura& as, bool desdoble, int sl, Azar& a) {
    auto libre = [&](int au) {
      return au >= 0 && !ocupadaAula_[static_cast<std::size_t>(au)][static_cast<std::size_t>(sl)];
    };
    char tipo = 0;
    switch (as.depto) {
      case DEfi:
        tipo = 'E';
        break;
      case DMus:
        tipo = 'M';
        break;
      case DTec:
        tipo = 'T';
        break;
      case DDib:
        tipo = 'A';
        break;
      case DInf:
      case DAdm:
        tipo = 'I';
        break;
      case DBig:
      case DFqu:
        tipo = a.porMil(350) ? 'L' : 0;
        break;
      default:
        break;
    }
    if (tipo == 'E') {  // the gym holds several groups at once
      auto it = aulasTipo_.find({g.centro, 'E'});
      if (it != aulasTipo_.end()) return it->second.front();
    }
    if (tipo != 0) {
      auto it = aulasTipo_.find({g.centro, tipo});
      if (it != aulasTipo_.end())
        for (int au : it->second)
          if (libre(au)) return au;
    }
    if (!desdoble && libre(g.aula)) return g.aula;
    auto it = aulasTipo_.find({g.centro, 'D'});
    if (it != aulasTipo_.end())
      for (int au : it->second)
        if (libre(au)) return au;
    for (std::size_t au = 0; au < e_.aulas.size(); ++au)
      if (e_.aulas[au].centro == g.centro && e_.aulas[au].tipo == 'G' &&
          libre(static_cast<int>(au)))
        return static_cast<int>(au);
    return -1;
  }

  // Places the lessons of one unit (a subject, or a block of subjects taught at the same
  // time) for the groups that share it: each lesson in a period free for every group and
  // teacher, on a day without another lesson of the unit when possible.
  void colocarUnidad(const std::vector<int>& grupos, const std::vector<int>& materias, Azar& a) {
    const int lider = grupos.front();
    const Grupo& gl = e_.grupos[static_cast<std::size_t>(lider)];
    std::vector<int> profes;
    int n = 0;
    for (int s : materias) {
      profes.push_back(docente_[static_cast<std::size_t>(lider)].at(s));
      n = std::max(n, e_.asignaturas[static_cast<std::size_t>(s)].sesiones);
    }
    std::vector<char> diaUsado(kDias + 1, 0);
    for (int k = 0; k < n; ++k) {
      std::vector<int> candidatos;
      for (int d = 1; d <= kDias; ++d)
        for (int h = 1; h <= kHoras; ++h) candidatos.push_back(slot(d, h));
      a.barajar(candidatos);
      // The seventh period only when the first six are taken.
      std::stable_partition(candidatos.begin(), candidatos.end(),
                            [](int sl) { return sl % kHoras != kHoras - 1; });
      int elegido = -1;
      for (int fase = 0; fase < 3 && elegido < 0; ++fase) {
        for (int sl : candidatos) {
          bool libre = true;
          for (int g : grupos)
            if (grupoOcupado_[static_cast<std::size_t>(g)][static_cast<std::size_t>(sl)])
              libre = false;
          if (!libre) continue;
          if (fase == 0 && diaUsado[static_cast<std::size_t>(sl / kHoras + 1)] && n <= kDias)
            continue;
          for (int p : profes)
            if (ocupadoProf_[static_cast<std::size_t>(p)][static_cast<std::size_t>(sl)])
              libre = false;
          if (fase < 2 && !libre) continue;
          elegido = sl;
          break;
        }
      }
      if (elegido < 0) return;  // the week is full
      diaUsado[static_cast<std::size_t>(elegido / kHoras + 1)] = 1;
      for (int g : grupos)
        grupoOcupado_[static_cast<std::size_t>(g)][static_cast<std::size_t>(elegido)] = 1;
      for (std::size_t m = 0; m < materias.size(); ++m) {
        const Asignatura& as = e_.asignaturas[static_cast<std::size_t>(materias[m])];
        if (k >= as.sesiones) continue;
        int aula = elegirAula(gl, as, m > 0, elegido, a);
        if (aula >= 0 && e_.aulas[static_cast<std::size_t>(aula)].tipo != 'E')
          ocupadaAula_[static_cast<std::size_t>(aula)][static_cast<std::size_t>(elegido)] = 1;
        ocupadoProf_[static_cast<std::size_t>(profes[m])][static_cast<std::size_t>(elegido)] = 1;
        for (int g : grupos) {
          Clase c;
          c.grupo = g;
          c.asignatura = materias[m];
          c.profesor = profes[m];
          c.dia = elegido / kHoras + 1;
          c.hora = elegido % kHoras + 1;
          c.aula = aula;
          e_.clases.push_back(c);
        }
      }
    }
  }

  void colocarHorario() {
    Azar a = flujo(6);
    const std::size_t ns = kDias * kHoras;
    grupoOcupado_.assign(e_.grupos.size(), std::vector<char>(ns, 0));
    ocupadoProf_.assign(e_.profesores.size(), std::vector<char>(ns, 0));
    ocupadaAula_.assign(e_.aulas.size(), std::vector<char>(ns, 0));
    // Blocks of options first, for the groups that share them; then each group's own
    // subjects, the longest first.
    for (std::size_t g = 0; g < e_.grupos.size(); ++g) {
      const Grupo& gr = e_.grupos[g];
      if (gr.lider != static_cast<int>(g)) continue;
      std::vector<int> grupos;
      for (std::size_t h = g; h < e_.grupos.size(); ++h)
        if (e_.grupos[h].lider == static_cast<int>(g)) grupos.push_back(static_cast<int>(h));
      std::map<int, std::vector<int>> bloques;
      for (int s : materiasDe(gr.plan, gr.curso)) {
        const Asignatura& as = e_.asignaturas[static_cast<std::size_t>(s)];
        if (as.sesiones > 0 && as.bloque != 0) bloques[as.bloque].push_back(s);
      }
      for (const auto& [b, v] : bloques) colocarUnidad(grupos, v, a);
    }
    for (std::size_t g = 0; g < e_.grupos.size(); ++g) {
      const Grupo& gr = e_.grupos[g];
      std::vector<int> propias;
      for (int s : materiasDe(gr.plan, gr.curso)) {
        const Asignatura& as = e_.asignaturas[static_cast<std::size_t>(s)];
        if (as.sesiones > 0 && as.bloque == 0) propias.push_back(s);
      }
      std::stable_sort(propias.begin(), propias.end(), [&](int x, int y) {
        return e_.asignaturas[static_cast<std::size_t>(x)].sesiones >
               e_.asignaturas[static_cast<std::size_t>(y)].sesiones;
      });
      for (int s : propias) colocarUnidad({static_cast<int>(g)}, {s}, a);
    }
    // The group timetable lists each group's week day by day.
    std::stable_sort(e_.clases.begin(), e_.clases.end(), [](const Clase& x, const Clase& y) {
      if (x.grupo != y.grupo) return x.grupo < y.grupo;
      if (x.dia != y.dia) return x.dia < y.dia;
      return x.hora < y.hora;
    });
    for (const Clase& c : e_.clases) {
      Profesor& p = e_.profesores[static_cast<std::size_t>(c.profesor)];
      p.centro = e_.grupos[static_cast<std::size_t>(c.grupo)].centro;
    }
  }

  // Non-teaching periods: guards, department meetings, family hours, posts.
  void anadirTareas() {
    Azar a = flujo(7);
    const int nd = static_cast<int>(departamentos().size());
    std::vector<int> reunion(static_cast<std::size_t>(nd));
    for (int d = 0; d < nd; ++d) reunion[static_cast<std::size_t>(d)] = slot(d % kDias + 1, kHoras);
    std::vector<char> jefeAsignado(static_cast<std::size_t>(nd), 0);
    int directivos = 0, coordinadores = 0;
    for (std::size_t p = 0; p < e_.profesores.size(); ++p) {
      Profesor& pr = e_.profesores[p];
      auto& ocupado = ocupadoProf_[p];
      auto poner = [&](const char* ocupa, int veces) {
        for (int v = 0; v < veces; ++v) {
          std::vector<int> libres;
          for (int sl = 0; sl < kDias * kHoras; ++sl)
            if (!ocupado[static_cast<std::size_t>(sl)] && sl % kHoras != kHoras - 1)
              libres.push_back(sl);
          if (libres.empty()) return;
          int sl = a.elegir(libres);
          ocupado[static_cast<std::size_t>(sl)] = 1;
          e_.tareas.push_back({static_cast<int>(p), sl / kHoras + 1, sl % kHoras + 1, ocupa});
        }
      };
      int sr = reunion[static_cast<std::size_t>(pr.depto)];
      if (!ocupado[static_cast<std::size_t>(sr)]) {
        ocupado[static_cast<std::size_t>(sr)] = 1;
        e_.tareas.push_back({static_cast<int>(p), sr / kHoras + 1, sr % kHoras + 1, "REU1"});
      }
      poner("GUA", pr.carga > 20 ? 1 : a.entre(2, 3));
      poner("ATP", 1);
      if (pr.tutor) poner("TUTF", 1);
      if (!jefeAsignado[static_cast<std::size_t>(pr.depto)]) {
        jefeAsignado[static_cast<std::size_t>(pr.depto)] = 1;
        poner("CAP", 2);
      } else if (directivos < 3 && pr.carga < 18) {
        ++directivos;
        poner("DIR", 4);
      } else if (coordinadores < 2 && pr.depto == DTec) {
        ++coordinadores;
        poner("COTIC", 3);
      } else if (a.porMil(150)) {
        poner("BIB", 1);
      } else if (a.porMil(120)) {
        poner("REU2", 1);
      } else if (pr.depto == DInf || pr.depto == DAdm) {
        poner("21", 1);
      } else if (a.porMil(60)) {
        poner("COCOE", 2);
      }
    }
    std::stable_sort(e_.tareas.begin(), e_.tareas.end(), [](const Tarea& x, const Tarea& y) {
      if (x.profesor != y.profesor) return x.profesor < y.profesor;
      if (x.dia != y.dia) return x.dia < y.dia;
      return x.hora < y.hora;
    });
  }

  // Teachers whose records are not quite right, as in every school: substitutes without
  // an identity number yet, one who left but still has lessons, former teachers.
  void marcarIncidenciasProfesores() {
    Azar a = flujo(8);
    const bool peq = e_.tamano == Tamano::Pequeno;
    std::vector<int> conClases;
    for (std::size_t p = 0; p < e_.profesores.size(); ++p)
      if (e_.profesores[p].carga > 0) conClases.push_back(static_cast<int>(p));
    a.barajar(conClases);
    std::size_t k = 0;
    auto siguiente = [&]() -> Profesor& {
      return e_.profesores[static_cast<std::size_t>(conClases[k++ % conClases.size()])];
    };
    int ceros = peq ? 1 : escala(2);
    for (int i = 0; i < ceros; ++i) {
      Profesor& p = siguiente();
      p.dni = 0;
      p.alta = Fecha{e_.anyoAcademico, 10, a.entre(1, 28)};
    }
    int blancos = peq ? 0 : escala(1);
    for (int i = 0; i < blancos; ++i) {
      Profesor& p = siguiente();
      p.dni = 0;
      p.dniEnBlanco = true;
    }
    if (!peq) {
      Profesor& p = siguiente();
      p.baja = Fecha{e_.anyoAcademico, 10, 15};
    }
    if (!peq && conClases.size() > 4) {
      // Two spellings that a name search does not expect.
      Profesor& p1 = siguiente();
      auto blanco = p1.nombre.find(' ');
      if (blanco != std::string::npos) p1.nombre.insert(blanco, " ");
      Profesor& p2 = siguiente();
      p2.nombre = "Pérez Gómez, Ana Isabel";
    }
    // Former teachers: gone, still in the table; and records deleted long ago.
    int idos = peq ? 1 : escala(3);
    for (int i = 0; i < idos; ++i) {
      Profesor p = nuevoProfesor(a, static_cast<int>(a.menor(departamentos().size())));
      p.baja = Fecha{e_.anyoAcademico, a.porMil(500) ? 6 : 8, 30};
      if (i == 1) p.dni = 0;
      e_.profesores.push_back(p);
    }
    int borrados = peq ? 0 : escala(2);
    for (int i = 0; i < borrados; ++i) {
      Profesor p = nuevoProfesor(a, static_cast<int>(a.menor(departamentos().size())));
      p.borrado = true;
      p.baja = Fecha{e_.anyoAcademico - a.entre(2, 8), 8, 31};
      e_.profesores.push_back(p);
    }
  }

  Fecha nacimiento(Azar& a, const Plan& p, int curso, bool repetidor) {
    std::string nivel = p.nivel;
    int edad = 11 + curso;
    if (nivel == "PDC") edad = 12 + curso;
    if (nivel == "BAC") edad = 15 + curso;
    if (nivel == "FPB") edad = 15 + curso + a.entre(0, 1);
    if (nivel == "CFM") edad = 16 + curso + a.entre(0, 4);
    if (nivel == "CFS") edad = 18 + curso + a.entre(0, 6);
    if (repetidor) ++edad;
    return Fecha{e_.anyoAcademico - edad, a.entre(1, 12), a.entre(1, 28)};
  }

  void crearAlumnos() {
    Azar a = flujo(9);
    const auto& ps = planes();
    std::set<std::string> codigos;
    std::int64_t codigo = 1000000000 + static_cast<std::int64_t>(a.menor(800000000));
    auto nuevoCodigo = [&]() {
      if (a.porMil(10)) {
        // Old student numbers, shorter than the field.
        std::string c;
        do {
          c = std::to_string(a.entre(1000, 99999));
        } while (!codigos.insert(c).second);
        return c;
      }
      codigo += a.entre(1, 37);
      codigos.insert(std::to_string(codigo));
      return std::to_string(codigo);
    };
    auto alumno = [&](const Plan& p, int plan, int curso) {
      Alumno al;
      al.mujer = a.porMil(500);
      al.apenom = nombreCompleto(a, al.mujer, true);
      al.codigo = nuevoCodigo();
      al.plan = plan;
      al.curso = curso;
      al.codcur = std::to_string(curso) + p.nivel;
      std::string nivel = p.nivel;
      if (nivel == "ESO" || nivel == "BAC" || nivel == "PDC") {
        if (a.porMil(80))
          al.repite = 1;
        else if (a.porMil(4))
          al.repite = 2;
      }
      al.repiteEnBlanco = al.repite == 0 && a.porMil(5);
      al.nacimiento = nacimiento(a, p, curso, al.repite > 0);
      if (a.porMil(150)) al.obs = a.elegir(observaciones());
      if (a.porMil(80)) al.comentario = comentario(a);
      if (a.porMil(10)) al.baja = Fecha{e_.anyoAcademico, a.entre(10, 12), a.entre(1, 28)};
      return al;
    };
    const int porcentaje = e_.tamano == Tamano::Enorme ? 110 : 100;
    for (std::size_t g = 0; g < e_.grupos.size(); ++g) {
      const Grupo& gr = e_.grupos[g];
      const Plan& p = ps[static_cast<std::size_t>(gr.plan)];
      int media = e_.tamano == Tamano::Pequeno ? 20 : p.alumnosGrupo * porcentaje / 100;
      int n = media + (e_.tamano == Tamano::Pequeno ? a.entre(-1, 1) : a.entre(-3, 3));
      for (int i = 0; i < n; ++i) {
        Alumno al = alumno(p, gr.plan, gr.curso);
        al.codgrup = gr.codgrup;
        al.grupo = static_cast<int>(g);
        al.centro = gr.centro;
        al.turno = gr.turno;
        e_.alumnos.push_back(al);
      }
    }
    const int total = static_cast<int>(e_.alumnos.size());
    // Pre-enrolled students without a group, and group codes typed short.
    for (int i = 0, n = std::max(1, total / 150); i < n; ++i) {
      const Grupo& gr = e_.grupos[a.menor(e_.grupos.size())];
      Alumno al = alumno(ps[static_cast<std::size_t>(gr.plan)], gr.plan, gr.curso);
      al.codgrup = "";
      al.centro = gr.centro;
      al.turno = gr.turno;
      e_.alumnos.push_back(al);
    }
    for (int i = 0, n = std::max(1, total / 400); i < n; ++i) {
      const Grupo& gr = e_.grupos[a.menor(e_.grupos.size())];
      Alumno al = alumno(ps[static_cast<std::size_t>(gr.plan)], gr.plan, gr.curso);
      al.codgrup = gr.codgrup.substr(0, 1);
      al.centro = gr.centro;
      al.turno = gr.turno;
      e_.alumnos.push_back(al);
    }
    a.barajar(e_.alumnos);
    for (int i = 0, n = std::max(1, total / 200); i < n; ++i)
      e_.alumnos[a.menor(e_.alumnos.size())].borrado = true;
  }

  void crearMatriculas() {
    Azar a = flujo(10);
    const auto& ps = planes();
    for (std::size_t i = 0; i < e_.alumnos.size(); ++i) {
      const Alumno& al = e_.alumnos[i];
      if (al.codgrup.empty()) continue;  // not enrolled yet
      auto matricular = [&](int s, bool pendiente) {
        Matricula m;
        m.alumno = static_cast<int>(i);
        m.codasig = e_.asignaturas[static_cast<std::size_t>(s)].codasig;
        m.codcur = al.codcur;
        m.pendiente = pendiente;
        e_.matriculas.push_back(m);
      };
      for (int s : materiasDe(al.plan, al.curso)) matricular(s, false);
      std::string nivel = ps[static_cast<std::size_t>(al.plan)].nivel;
      if ((nivel == "ESO" || nivel == "BAC") && al.curso > 1 && al.repite == 0 && a.porMil(180)) {
        const auto& antes = materiasDe(al.plan, al.curso - 1);
        if (!antes.empty())
          for (int k = 0, n = a.entre(1, 3); k < n; ++k)
            matricular(antes[a.menor(antes.size())], true);
      }
      if (a.porMil(5)) matricular(antigua_, false);
      if (a.porMil(3)) e_.matriculas.push_back(e_.matriculas.back());
    }
  }

  Azar raiz_;
  Escuela e_;
  std::map<std::pair<int, int>, std::vector<int>> porCurso_;
  std::map<int, std::vector<int>> porDepto_;
  std::map<std::pair<int, char>, std::vector<int>> aulasTipo_;
  std::vector<std::map<int, int>> docente_;  // per group: subject -> teacher
  std::vector<std::vector<char>> grupoOcupado_;
  std::vector<std::vector<char>> ocupadoProf_;
  std::vector<std::vector<char>> ocupadaAula_;
  std::set<std::int64_t> dnis_;
  int secuenciaAula_ = 0;
  int antigua_ = -1;
};

}  // namespace

Escuela construirEscuela(Tamano tamano, std::uint64_t semilla) {
  return Constructor(tamano, semilla).construir();
}

}  // namespace gen
