#include "tools/generator/PlanEstudios.h"

namespace gen {

const std::vector<Departamento>& departamentos() {
  static const std::vector<Departamento> d = {
      {"Matemàtiques", "006"},
      {"Castellà: Llengua i Literatura", "004"},
      {"Valencià: Llengua i Literatura", "053"},
      {"Anglés", "011"},
      {"Francés", "010"},
      {"Educació Física", "017"},
      {"Geografia i Història", "005"},
      {"Biologia i Geologia", "008"},
      {"Física i Química", "007"},
      {"Tecnologia", "019"},
      {"Música", "016"},
      {"Dibuix", "009"},
      {"Filosofia", "001"},
      {"Cultura Clàssica", "002"},
      {"Economia", "061"},
      {"Orientació Educativa", "018"},
      {"Religió", "REL"},
      {"Informàtica", "107"},
      {"Administració d'Empreses", "101"},
      {"Formació i Orientació Laboral", "105"},
  };
  return d;
}

namespace {

// clang-format off
// Subjects that most ESO courses share.
MateriaPlan religio() { return {"Religió", "Religión", "REL", "REL", 1, 1, DRel}; }
MateriaPlan atencio() { return {"Atenció Educativa", "Atención Educativa", "AED", "AED", 1, 1, DFil}; }
MateriaPlan tutoria(int n = 1) { return {"Tutoria", "Tutoría", "TUT", "TUT", n, 0, DTutor}; }
MateriaPlan efi() { return {"Educació Física", "Educación Física", "EFI", "EFI", 2, 0, DEfi}; }
MateriaPlan ghi() { return {"Geografia i Història", "Geografía e Historia", "GHI", "GEH", 3, 0, DGhi}; }
MateriaPlan cas(int n = 3) { return {"Castellà: Llengua i Literatura", "Castellano: Lengua y Literatura", "CAS", "LCL", n, 0, DCas}; }
MateriaPlan val(int n = 3) { return {"Valencià: Llengua i Literatura", "Valenciano: Lengua y Literatura", "VAL", "VAL", n, 0, DVal}; }
MateriaPlan ang(int n = 3) { return {"Anglés", "Inglés", "ANG", "ING", n, 0, DAng}; }

std::vector<Plan> construirPlanes() {
  std::vector<Plan> p;

  Plan eso{"ESO", "ESO", "ESO", 27, 'M', false, {}};
  eso.cursos.push_back({1, 2, 10, 62, {
      {"Biologia i Geologia", "Biología y Geología", "BIG", "BYG", 3, 0, DBig},
      efi(), ghi(), cas(), val(), ang(4),
      {"Matemàtiques", "Matemáticas", "MAT", "MAT", 4, 0, DMat},
      {"Educació Plàstica i Visual", "Educación Plástica y Visual", "EPV", "EPV", 2, 0, DDib},
      {"Música", "Música", "MUS", "MUS", 2, 0, DMus},
      {"Tecnologia i Digitalització", "Tecnología y Digitalización", "TEC", "TEC", 2, 0, DTec},
      tutoria(), religio(), atencio(),
      {"Francés", "Francés", "FRA", "FRA", 2, 2, DFra},
      {"Taller de Reforç de Matemàtiques", "Taller de Refuerzo de Matemáticas", "RMA", "RMA", 2, 2, DMat},
      {"Cultura Clàssica", "Cultura Clásica", "CCL", "CCL", 2, 2, DCla},
      {"Oratòria", "Oratoria", "ORA", "ORA", 2, 2, DCas},
      {"Taller de Reforç Lingüístic", "Taller de Refuerzo Lingüístico", "RLI", "RLI", 2, 2, DVal},
      {"Suport Educatiu", "Apoyo Educativo", "", "", 0, 0, DOri, "12,5"},
      {"Alemany", "Alemán", "ALE", "ALE", 2, 7, DFra},
      {"Taller d'Arts Escèniques", "Taller de Artes Escénicas", "TAE", "TAE", 2, 7, DMus},
      {"Esport i Salut", "Deporte y Salud", "ESA", "DYS", 2, 7, DEfi},
      {"Educació Financera", "Educación Financiera", "EFN", "EFN", 2, 7, DEco},
  }});
  eso.cursos.push_back({2, 1, 10, 62, {
      {"Física i Química", "Física y Química", "FQU", "FYQ", 3, 0, DFqu},
      efi(), ghi(), cas(4), val(), ang(),
      {"Matemàtiques", "Matemáticas", "MAT", "MAT", 4, 0, DMat},
      {"Música", "Música", "MUS", "MUS", 2, 0, DMus},
      {"Tecnologia i Digitalització", "Tecnología y Digitalización", "TEC", "TEC", 2, 0, DTec},
      {"Educació en Valors Cívics i Ètics", "Educación en Valores Cívicos y Éticos", "VCE", "VCE", 1, 0, DFil},
      tutoria(), religio(), atencio(),
      {"Francés", "Francés", "FRA", "FRA", 2, 2, DFra},
      {"Taller de Reforç de Matemàtiques", "Taller de Refuerzo de Matemáticas", "RMA", "RMA", 2, 2, DMat},
      {"Taller d'Escriptura Creativa", "Taller de Escritura Creativa", "ESC", "ESC", 2, 2, DCas},
      {"Programació i Robòtica", "Programación y Robótica", "ROB", "ROB", 2, 2, DTec},
      {"Cultura Clàssica", "Cultura Clásica", "CCL", "CCL", 2, 2, DCla},
      {"Alemany", "Alemán", "ALE", "ALE", 2, 7, DFra},
      {"Oratòria", "Oratoria", "ORA", "ORA", 2, 7, DCas},
      {"Taller de Reforç Lingüístic", "Taller de Refuerzo Lingüístico", "RLI", "RLI", 2, 7, DVal},
      {"Esport i Salut", "Deporte y Salud", "ESA", "DYS", 2, 7, DEfi},
      {"Projecte Interdisciplinari", "Proyecto Interdisciplinar", "PIN", "PIN", 2, 7, DTec},
      {"Taller d'Arts Escèniques", "Taller de Artes Escénicas", "TAE", "TAE", 2, 7, DMus},
  }});
  eso.cursos.push_back({3, 0, 9, 62, {
      {"Biologia i Geologia", "Biología y Geología", "BIG", "BYG", 2, 0, DBig},
      {"Física i Química", "Física y Química", "FQU", "FYQ", 2, 0, DFqu},
      efi(), ghi(), cas(), val(), ang(),
      {"Matemàtiques", "Matemáticas", "MAT", "MAT", 4, 0, DMat},
      {"Educació Plàstica i Visual", "Educación Plástica y Visual", "EPV", "EPV", 2, 0, DDib},
      {"Tecnologia i Digitalització", "Tecnología y Digitalización", "TEC", "TEC", 2, 0, DTec},
      {"Música", "Música", "MUS", "MUS", 2, 0, DMus},
      tutoria(), religio(), atencio(),
      {"Francés", "Francés", "FRA", "FRA", 2, 2, DFra},
      {"Cultura Clàssica", "Cultura Clásica", "CCL", "CCL", 2, 2, DCla},
      {"Iniciació a l'Activitat Emprenedora", "Iniciación a la Actividad Emprendedora", "IAE", "IAE", 2, 2, DEco},
      {"Programació i Robòtica", "Programación y Robótica", "ROB", "ROB", 2, 2, DTec},
      {"Taller de Teatre", "Taller de Teatro", "TEA", "TEA", 2, 2, DVal},
      {"Alemany", "Alemán", "ALE", "ALE", 2, 7, DFra},
      {"Taller de Reforç de Matemàtiques", "Taller de Refuerzo de Matemáticas", "RMA", "RMA", 2, 7, DMat},
      {"Oratòria", "Oratoria", "ORA", "ORA", 2, 7, DCas},
      {"Esport i Salut", "Deporte y Salud", "ESA", "DYS", 2, 7, DEfi},
      {"Projecte Interdisciplinari", "Proyecto Interdisciplinar", "PIN", "PIN", 2, 7, DTec},
  }});
  eso.cursos.push_back({4, 0, 9, 62, {
      efi(), ghi(), cas(), val(), ang(), tutoria(), religio(), atencio(),
      {"Matemàtiques A", "Matemáticas A", "MAA", "MAA", 4, 3, DMat},
      {"Matemàtiques B", "Matemáticas B", "MAB", "MAB", 4, 3, DMat},
      {"Biologia i Geologia", "Biología y Geología", "BIG", "BYG", 3, 4, DBig},
      {"Economia i Emprenedoria", "Economía y Emprendimiento", "ECO", "ECO", 3, 4, DEco},
      {"Llatí", "Latín", "LLA", "LAT", 3, 4, DCla},
      {"Física i Química", "Física y Química", "FQU", "FYQ", 3, 5, DFqu},
      {"Tecnologia", "Tecnología", "TEC", "TEC", 3, 5, DTec},
      {"Francés", "Francés", "FRA", "FRA", 3, 5, DFra},
      {"Expressió Artística", "Expresión Artística", "EAR", "EAR", 3, 6, DDib},
      {"Música", "Música", "MUS", "MUS", 3, 6, DMus},
      {"Filosofia", "Filosofía", "FIL", "FIL", 3, 6, DFil},
      {"Formació i Orientació Personal i Professional", "Formación y Orientación Personal y Profesional", "FOP", "FOP", 3, 6, DOri},
      {"Digitalització", "Digitalización", "DIG", "DIG", 2, 2, DTec},
      {"Cultura Científica", "Cultura Científica", "CCI", "CCI", 2, 2, DBig},
      {"Cultura Clàssica", "Cultura Clásica", "CCL", "CCL", 2, 2, DCla},
      {"Alemany", "Alemán", "ALE", "ALE", 3, 5, DFra},
  }});
  p.push_back(eso);

  Plan pdc{"PDC", "Diversificació Curricular", "Diversificación Curricular", 12, 'M', false, {}};
  pdc.cursos.push_back({3, 0, 0, 12, {
      {"Àmbit Lingüístic i Social", "Ámbito Lingüístico y Social", "ALS", "ALS", 8, 0, DGhi},
      {"Àmbit Científic i Tecnològic", "Ámbito Científico y Tecnológico", "ACT", "ACT", 8, 0, DMat},
      ang(), efi(), tutoria(2), religio(), atencio(),
      {"Educació Plàstica i Visual", "Educación Plástica y Visual", "EPV", "EPV", 2, 0, DDib},
      {"Tecnologia i Digitalització", "Tecnología y Digitalización", "TEC", "TEC", 2, 0, DTec},
      {"Música", "Música", "MUS", "MUS", 2, 0, DMus},
  }});
  pdc.cursos.push_back({4, 0, 0, 12, {
      {"Àmbit Lingüístic i Social", "Ámbito Lingüístico y Social", "ALS", "ALS", 8, 0, DGhi},
      {"Àmbit Científic i Tecnològic", "Ámbito Científico y Tecnológico", "ACT", "ACT", 8, 0, DMat},
      ang(), efi(), tutoria(2), religio(), atencio(),
      {"Digitalització", "Digitalización", "DIG", "DIG", 3, 0, DTec},
      {"Expressió Artística", "Expresión Artística", "EAR", "EAR", 3, 0, DDib},
  }});
  p.push_back(pdc);

  Plan bac{"BAC", "Batxillerat", "Bachillerato", 32, 'M', false, {}};
  bac.cursos.push_back({1, 0, 5, 50, {
      efi(),
      {"Filosofia", "Filosofía", "FIL", "FIL", 3, 0, DFil},
      cas(), val(), ang(), tutoria(),
      {"Matemàtiques I", "Matemáticas I", "MAT", "MAT", 4, 1, DMat},
      {"Llatí I", "Latín I", "LLA", "LAT", 4, 1, DCla},
      {"Matemàtiques Aplicades a les Ciències Socials I", "Matemáticas Aplicadas a las Ciencias Sociales I", "MCS", "MCS", 4, 1, DMat},
      {"Física i Química", "Física y Química", "FQU", "FYQ", 4, 2, DFqu},
      {"Economia", "Economía", "ECO", "ECO", 4, 2, DEco},
      {"Història del Món Contemporani", "Historia del Mundo Contemporáneo", "HMC", "HMC", 4, 2, DGhi},
      {"Biologia, Geologia i Ciències Ambientals", "Biología, Geología y Ciencias Ambientales", "BGC", "BGC", 4, 3, DBig},
      {"Literatura Universal", "Literatura Universal", "LUN", "LUN", 4, 3, DCas},
      {"Dibuix Tècnic I", "Dibujo Técnico I", "DTE", "DTE", 4, 3, DDib},
      {"Francés", "Francés", "FRA", "FRA", 2, 4, DFra},
      {"Anatomia Aplicada", "Anatomía Aplicada", "ANA", "ANA", 2, 4, DEfi},
      {"Tecnologies de la Informació", "Tecnologías de la Información", "TIC", "TIC", 2, 4, DTec},
      {"Religió", "Religión", "REL", "REL", 2, 4, DRel},
      {"Alemany", "Alemán", "ALE", "ALE", 2, 4, DFra},
      {"Cultura Audiovisual", "Cultura Audiovisual", "CAU", "CAU", 2, 4, DDib},
      {"Psicologia", "Psicología", "PSI", "PSI", 2, 4, DFil},
  }});
  bac.cursos.push_back({2, 0, 5, 50, {
      {"Història d'Espanya", "Historia de España", "HES", "HES", 3, 0, DGhi},
      {"Història de la Filosofia", "Historia de la Filosofía", "HFI", "HFI", 3, 0, DFil},
      cas(), val(), ang(), tutoria(),
      {"Matemàtiques II", "Matemáticas II", "MAT", "MAT", 4, 1, DMat},
      {"Llatí II", "Latín II", "LLA", "LAT", 4, 1, DCla},
      {"Matemàtiques Aplicades a les Ciències Socials II", "Matemáticas Aplicadas a las Ciencias Sociales II", "MCS", "MCS", 4, 1, DMat},
      {"Física", "Física", "FIS", "FIS", 4, 2, DFqu},
      {"Geografia", "Geografía", "GEO", "GEO", 4, 2, DGhi},
      {"Empresa i Disseny de Models de Negoci", "Empresa y Diseño de Modelos de Negocio", "EMP", "EMP", 4, 2, DEco},
      {"Química", "Química", "QUI", "QUI", 4, 3, DFqu},
      {"Biologia", "Biología", "BIO", "BIO", 4, 3, DBig},
      {"Història de l'Art", "Historia del Arte", "HAR", "HAR", 4, 3, DGhi},
      {"Francés", "Francés", "FRA", "FRA", 2, 4, DFra},
      {"Psicologia", "Psicología", "PSI", "PSI", 2, 4, DFil},
      {"Ciències de la Terra", "Ciencias de la Tierra", "CTM", "CTM", 2, 4, DBig},
      {"Alemany", "Alemán", "ALE", "ALE", 2, 4, DFra},
      {"Història de la Música i de la Dansa", "Historia de la Música y de la Danza", "HMD", "HMD", 2, 4, DMus},
  }});
  p.push_back(bac);

  Plan fpb{"FPB", "FP Bàsica", "FP Básica", 15, 'M', false, {}};
  fpb.cursos.push_back({1, 0, 2, 20, {
      {"Tractament Informàtic de Dades", "Tratamiento Informático de Datos", "TID", "TID", 6, 0, DAdm},
      {"Tècniques Administratives Bàsiques", "Técnicas Administrativas Básicas", "TAB", "TAB", 5, 0, DAdm},
      {"Arxiu i Comunicació", "Archivo y Comunicación", "ARX", "ARC", 4, 0, DAdm},
      {"Ciències Aplicades I", "Ciencias Aplicadas I", "CAP", "CAP", 5, 0, DBig},
      {"Comunicació i Societat I", "Comunicación y Sociedad I", "CSO", "CSO", 6, 0, DGhi},
      ang(2), tutoria(),
      {"Prevenció de Riscos Laborals", "Prevención de Riesgos Laborales", "PRL", "PRL", 1, 0, DFol},
  }});
  fpb.cursos.push_back({2, 0, 2, 20, {
      {"Atenció al Client", "Atención al Cliente", "ACL", "ACL", 4, 0, DAdm},
      {"Preparació de Comandes i Venda", "Preparación de Pedidos y Venta", "PCV", "PPV", 5, 0, DAdm},
      {"Aplicacions Bàsiques d'Ofimàtica", "Aplicaciones Básicas de Ofimática", "ABO", "ABO", 5, 0, DAdm},
      {"Ciències Aplicades II", "Ciencias Aplicadas II", "CAP", "CAP", 5, 0, DBig},
      {"Comunicació i Societat II", "Comunicación y Sociedad II", "CSO", "CSO", 6, 0, DGhi},
      ang(2), tutoria(),
      {"Formació en Centres de Treball", "Formación en Centros de Trabajo", "FCT", "FCT", 0, 0, DAdm, ""},
  }});
  p.push_back(fpb);

  Plan cfm{ "CFM", "CFGM Sistemes Microinformàtics", "CFGM Sistemas Microinformáticos", 25, 'V', true, {}};
  cfm.cursos.push_back({1, 0, 3, 30, {
      {"Muntatge i Manteniment d'Equips", "Montaje y Mantenimiento de Equipos", "MME", "MME", 7, 0, DInf},
      {"Sistemes Operatius Monolloc", "Sistemas Operativos Monopuesto", "SOM", "SOM", 5, 0, DInf},
      {"Aplicacions Ofimàtiques", "Aplicaciones Ofimáticas", "AOF", "AOF", 7, 0, DInf},
      {"Xarxes Locals", "Redes Locales", "XLO", "RLO", 7, 0, DInf},
      {"Formació i Orientació Laboral", "Formación y Orientación Laboral", "FOL", "FOL", 3, 0, DFol},
      {"Anglés Professional", "Inglés Profesional", "ANG", "ING", 2, 0, DAng},
      {"Digitalització Aplicada", "Digitalización Aplicada", "DIG", "DIG", 2, 0, DInf},
  }});
  cfm.cursos.push_back({2, 0, 3, 30, {
      {"Sistemes Operatius en Xarxa", "Sistemas Operativos en Red", "SOX", "SOR", 6, 0, DInf},
      {"Seguretat Informàtica", "Seguridad Informática", "SEG", "SEG", 5, 0, DInf},
      {"Serveis en Xarxa", "Servicios en Red", "SXA", "SRE", 7, 0, DInf},
      {"Aplicacions Web", "Aplicaciones Web", "AWE", "AWE", 4, 0, DInf},
      {"Empresa i Iniciativa Emprenedora", "Empresa e Iniciativa Emprendedora", "EIE", "EIE", 3, 0, DFol},
      {"Sostenibilitat Aplicada", "Sostenibilidad Aplicada", "SOS", "SOS", 1, 0, DFol},
      {"Projecte Intermodular", "Proyecto Intermodular", "PRO", "PRO", 0, 0, DInf, "12,5"},
      {"Formació en Empreses", "Formación en Empresas", "FEM", "FEM", 0, 0, DFol, ""},
  }});
  p.push_back(cfm);

  Plan cfs{"CFS", "CFGS Desenvolupament Web", "CFGS Desarrollo Web", 25, 'V', true, {}};
  cfs.cursos.push_back({1, 0, 0, 30, {
      {"Sistemes Informàtics", "Sistemas Informáticos", "SIN", "SIN", 6, 0, DInf},
      {"Bases de Dades", "Bases de Datos", "BDA", "BDA", 6, 0, DInf},
      {"Programació", "Programación", "PRG", "PRG", 8, 0, DInf},
      {"Llenguatges de Marques", "Lenguajes de Marcas", "LMA", "LMA", 4, 0, DInf},
      {"Entorns de Desenvolupament", "Entornos de Desarrollo", "EDE", "EDE", 3, 0, DInf},
      {"Itinerari Personal per a l'Ocupabilitat I", "Itinerario Personal para la Empleabilidad I", "IPO", "IPE", 3, 0, DFol},
      {"Anglés Professional", "Inglés Profesional", "ANG", "ING", 2, 0, DAng},
  }});
  cfs.cursos.push_back({2, 0, 0, 30, {
      {"Desenvolupament Web en Entorn Client", "Desarrollo Web en Entorno Cliente", "DWC", "DWC", 6, 0, DInf},
      {"Desenvolupament Web en Entorn Servidor", "Desarrollo Web en Entorno Servidor", "DWS", "DWS", 8, 0, DInf},
      {"Desplegament d'Aplicacions Web", "Despliegue de Aplicaciones Web", "DAW", "DAW", 5, 0, DInf},
      {"Disseny d'Interfícies Web", "Diseño de Interfaces Web", "DIW", "DIW", 6, 0, DInf},
      {"Itinerari Personal per a l'Ocupabilitat II", "Itinerario Personal para la Empleabilidad II", "IPO", "IPE", 2, 0, DFol},
      {"Projecte Intermodular", "Proyecto Intermodular", "PRO", "PRO", 0, 0, DInf, "12,5"},
  }});
  p.push_back(cfs);
  return p;
}

// clang-format on

}  // namespace

const std::vector<Plan>& planes() {
  static const std::vector<Plan> p = construirPlanes();
  return p;
}

int gruposDe(const CursoPlan& c, Tamano t) {
  switch (t) {
    case Tamano::Pequeno:
      return c.gruposPequeno;
    case Tamano::Grande:
      return c.gruposGrande;
    case Tamano::Enorme:
      break;
  }
  return c.gruposEnorme;
}

const std::vector<OcupacionDef>& ocupaciones() {
  static const std::vector<OcupacionDef> o = {
      {"12", "Docència directa amb grup", "Docencia directa con grupo", true, false},
      {"13", "Desdoblament i suport a l'aula", "Desdoble y apoyo en el aula", true, false},
      {"GUA", "Guàrdia", "Guardia", false, false},
      {"GUAPA", "Guàrdia de pati", "Guardia de patio", false, false},
      {"BIB", "Guàrdia de biblioteca", "Guardia de biblioteca", false, false},
      {"REU1", "Reunió de departament", "Reunión de departamento", false, false},
      {"REU2", "Reunió d'equip educatiu", "Reunión de equipo educativo", false, false},
      {"ATP", "Atenció a pares i mares", "Atención a padres y madres", false, false},
      {"TUTF", "Tutoria amb famílies", "Tutoría con familias", false, false},
      {"CAP", "Cap de departament", "Jefatura de departamento", false, false},
      {"DIR", "Càrrec directiu", "Cargo directivo", false, false},
      {"COTIC", "Coordinació TIC", "Coordinación TIC", false, false},
      {"COCOE", "Coordinació de convivència i igualtat", "Coordinación de convivencia e igualdad",
       false, false},
      {"21", "Preparació d'activitats i pràctiques", "Preparación de actividades y prácticas",
       false, false},
      {"PLA", "Pla de foment de la lectura", "Plan de fomento de la lectura", false, true},
  };
  return o;
}

}  // namespace gen
