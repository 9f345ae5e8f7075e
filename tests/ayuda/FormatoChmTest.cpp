// What the help file's internal files say, read from bytes made here: /#SYSTEM, /#IVB
// with /#STRINGS, the contents file, and the paths and texts inside a help file.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ayuda/ContenidoHhc.h"
#include "ayuda/ContextosChm.h"
#include "ayuda/SistemaChm.h"
#include "ayuda/TextoChm.h"

using namespace ayuda;

namespace {

std::string le16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

// One /#SYSTEM record with its text and the zero byte that ends it.
std::string registro(std::uint16_t codigo, const std::string& texto) {
  return le16(codigo) + le16(static_cast<std::uint16_t>(texto.size() + 1)) + texto +
         std::string(1, '\0');
}

// ---- Texts and paths ---------------------------------------------------------------

TEST(TextoChmTest, Utf8StaysAndWindows1252IsConverted) {
  EXPECT_EQ(textoUtf8("Exportaci\xc3\xb3n"), "Exportación");
  EXPECT_EQ(textoUtf8("Exportaci\xf3n"), "Exportación");
  EXPECT_EQ(textoUtf8("\x80 y \xd1"), "€ y Ñ");
  // A lead byte cut short, and an overlong form, are no UTF-8.
  EXPECT_EQ(textoUtf8("a\xc3"), "aÃ");
  EXPECT_EQ(textoUtf8("\xc0\xaf"), "À¯");
}

struct CasoRuta {
  const char* ruta;
  const char* interna;
};

void PrintTo(const CasoRuta& c, std::ostream* os) { *os << '"' << c.ruta << '"'; }

class RutaInternaTest : public testing::TestWithParam<CasoRuta> {};

TEST_P(RutaInternaTest, IsTheFormChmlibKnows) {
  EXPECT_EQ(rutaInterna(GetParam().ruta), GetParam().interna) << GetParam().ruta;
}

INSTANTIATE_TEST_SUITE_P(Rutas, RutaInternaTest,
                         testing::Values(CasoRuta{"tema.htm", "/tema.htm"},
                                         CasoRuta{"/tema.htm", "/tema.htm"},
                                         CasoRuta{"sub\\tema.htm", "/sub/tema.htm"},
                                         CasoRuta{"/sub/../otro/./tema.htm", "/otro/tema.htm"},
                                         CasoRuta{"//sub///tema.htm", "/sub/tema.htm"},
                                         CasoRuta{"../../tema.htm", "/tema.htm"}, CasoRuta{"", "/"},
                                         CasoRuta{"/#SYSTEM", "/#SYSTEM"}));

TEST(TextoChmTest, FolderOfAPath) {
  EXPECT_EQ(carpetaDe("/sub/tema.htm"), "/sub/");
  EXPECT_EQ(carpetaDe("/tema.htm"), "/");
  EXPECT_EQ(carpetaDe("tema.htm"), "/");
}

// ---- /#SYSTEM ----------------------------------------------------------------------

TEST(SistemaChmTest, ReadsContentsDefaultTopicAndTitleWhateverTheOrder) {
  const std::string datos = le32(3) + registro(10, "1234") + registro(2, "inicio.htm") +
                            registro(3, "Ayuda de GESCEN en espa\xf1ol") +
                            registro(0, "indice.hhc") + registro(1, "palabras.hhk") +
                            registro(7, "");
  const SistemaChm s = leerSistema(datos);
  EXPECT_EQ(s.contenido, "indice.hhc");
  EXPECT_EQ(s.indice, "palabras.hhk");
  EXPECT_EQ(s.temaInicial, "inicio.htm");
  EXPECT_EQ(s.titulo, "Ayuda de GESCEN en español");
}

TEST(SistemaChmTest, ARecordCutShortEndsTheReading) {
  std::string datos = le32(3) + registro(0, "indice.hhc") + registro(2, "inicio.htm");
  datos.resize(datos.size() - 3);
  const SistemaChm s = leerSistema(datos);
  EXPECT_EQ(s.contenido, "indice.hhc");
  EXPECT_EQ(s.temaInicial, "");
  EXPECT_EQ(leerSistema("").contenido, "");
  EXPECT_EQ(leerSistema(le32(3) + "\x00").titulo, "");
}

// ---- /#IVB and /#STRINGS -----------------------------------------------------------

TEST(ContextosChmTest, PairsOfNumberAndPageName) {
  const std::string strings =
      std::string(1, '\0') + "/home/x/exportar.htm" + '\0' + "sub/b.htm" + '\0';
  const std::string ivb = le32(24) + le32(1) + le32(1) + le32(0x20) + le32(22) + le32(9) +
                          le32(1000);  // 9 names nothing in /#STRINGS
  const auto contextos = leerContextos(ivb, strings);
  ASSERT_EQ(contextos.size(), 2u);
  EXPECT_EQ(contextos[0], (std::pair<std::uint32_t, std::string>{1, "/home/x/exportar.htm"}));
  EXPECT_EQ(contextos[1], (std::pair<std::uint32_t, std::string>{32, "sub/b.htm"}));
}

TEST(ContextosChmTest, TheByteCountBoundsThePairs) {
  const std::string strings = std::string(1, '\0') + "a.htm" + '\0';
  // Two pairs in the data, one counted; then a count larger than the data.
  EXPECT_EQ(leerContextos(le32(8) + le32(1) + le32(1) + le32(2) + le32(1), strings).size(), 1u);
  EXPECT_EQ(leerContextos(le32(800) + le32(1) + le32(1) + le32(2), strings).size(), 1u);
  EXPECT_TRUE(leerContextos("", strings).empty());
  EXPECT_TRUE(leerContextos(le32(8), strings).empty());
}

struct CasoAlias {
  const char* nombre;
  const char* archivo;
};

void PrintTo(const CasoAlias& c, std::ostream* os) { *os << '"' << c.nombre << '"'; }

class ArchivoDelAliasTest : public testing::TestWithParam<CasoAlias> {};

TEST_P(ArchivoDelAliasTest, IsTheLongestTailTheFileHolds) {
  const std::vector<std::string> archivos = {"/inicio.htm", "/importar.htm", "/sub/importar.htm",
                                             "/Exportar.htm", "/img/logo.png"};
  EXPECT_EQ(archivoDelAlias(GetParam().nombre, archivos), GetParam().archivo) << GetParam().nombre;
}

INSTANTIATE_TEST_SUITE_P(
    Nombres, ArchivoDelAliasTest,
    testing::Values(
        // As Microsoft's compiler keeps it, relative to the project.
        CasoAlias{"inicio.htm", "/inicio.htm"}, CasoAlias{"sub\\importar.htm", "/sub/importar.htm"},
        // As chmcmd keeps it: the project's folder in front.
        CasoAlias{"/home/ana/ayuda/sub/importar.htm", "/sub/importar.htm"},
        CasoAlias{"/home/ana/ayuda/importar.htm", "/importar.htm"},
        CasoAlias{"C:\\Proyectos\\Ayuda\\sub\\importar.htm", "/sub/importar.htm"},
        // Case as the file has it; the anchor kept.
        CasoAlias{"/tmp/p/EXPORTAR.HTM", "/Exportar.htm"},
        CasoAlias{"exportar.htm#pasos", "/Exportar.htm#pasos"},
        CasoAlias{"/home/ana/ayuda/no.htm", ""}, CasoAlias{"", ""}, CasoAlias{"/", ""}));

// ---- The contents file -------------------------------------------------------------

EntradaContenido entrada(std::string nombre, std::string tema,
                         std::vector<EntradaContenido> hijos = {}) {
  return {std::move(nombre), std::move(tema), std::move(hijos)};
}

TEST(ContenidoHhcTest, ListsNestAsTheEntriesBeforeThem) {
  const char* hhc = R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">
<HTML><HEAD><meta name="GENERATOR" content="Microsoft&reg; HTML Help Workshop 4.1"></HEAD><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<UL>
  <LI> <OBJECT type="text/sitemap"><param name="Name" value="Uno"><param name="Local" value="uno.htm"></OBJECT>
  <UL>
    <LI> <OBJECT type="text/sitemap"><param name="Name" value="Uno.a"><param name="Local" value="a/uno_a.htm"></OBJECT>
    <UL>
      <LI> <OBJECT type="text/sitemap"><param name="Name" value="Uno.a.i"><param name="Local" value="a/i.htm"></OBJECT>
    </UL>
    <LI> <OBJECT type="text/sitemap"><param name="Name" value="Uno.b"></OBJECT>
  </UL>
  <LI> <OBJECT type="text/sitemap"><param name="Name" value="Dos"><param name="Local" value="dos.htm"></OBJECT>
</UL>
<!-- <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Oculto"></OBJECT></UL> -->
</BODY></HTML>)";
  const std::vector<EntradaContenido> esperado = {
      entrada("Uno", "/uno.htm",
              {entrada("Uno.a", "/a/uno_a.htm", {entrada("Uno.a.i", "/a/i.htm")}),
               entrada("Uno.b", "")}),
      entrada("Dos", "/dos.htm")};
  EXPECT_EQ(leerContenido(hhc), esperado);
}

TEST(ContenidoHhcTest, TextsInWindows1252AndEntitiesBecomeUtf8) {
  const std::string hhc =
      "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Exportaci\xf3n\">"
      "<param name=\"Local\" value=\"exportar.htm\"></object>"
      "<li><object type=\"text/sitemap\"><param name=\"Name\" "
      "value=\"Importaci&oacute;n &amp; copias &#191;s&iacute;? &#x20AC; &bogus;\"></object></ul>";
  const auto e = leerContenido(hhc);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].nombre, "Exportación");
  EXPECT_EQ(e[1].nombre, "Importación & copias ¿sí? € &bogus;");
}

TEST(ContenidoHhcTest, TagsAndAttributesAsHandWrittenFilesHaveThem) {
  // Lower case, single quotes, no quotes, extra spaces, attributes in another order, a
  // self-closed param, and a sitemap object without a name (its page names it).
  const char* hhc =
      "<ul>\n<li><Object TYPE='text/sitemap'>\n<PARAM value=\"t1.htm\" name=\"local\" />"
      "<param name = Name value = Primero></OBJECT>\n"
      "<li><object type=\"text/sitemap\"><param name=\"Local\" value=\"t2.htm\"></object></ul>";
  EXPECT_EQ(leerContenido(hhc), (std::vector<EntradaContenido>{entrada("Primero", "/t1.htm"),
                                                               entrada("/t2.htm", "/t2.htm")}));
}

struct CasoLocal {
  const char* local;
  const char* carpeta;
  const char* tema;
};

void PrintTo(const CasoLocal& c, std::ostream* os) {
  *os << '"' << c.local << "\" in " << c.carpeta;
}

class TemaDeLocalTest : public testing::TestWithParam<CasoLocal> {};

TEST_P(TemaDeLocalTest, IsThePageInsideTheFile) {
  EXPECT_EQ(temaDeLocal(GetParam().local, GetParam().carpeta), GetParam().tema) << GetParam().local;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, TemaDeLocalTest,
    testing::Values(CasoLocal{"tema.htm", "/", "/tema.htm"},
                    CasoLocal{"tema.htm", "/ayuda/", "/ayuda/tema.htm"},
                    CasoLocal{"../tema.htm", "/ayuda/", "/tema.htm"},
                    CasoLocal{"/tema.htm", "/ayuda/", "/tema.htm"},
                    CasoLocal{"sub\\tema.htm#paso2", "/", "/sub/tema.htm#paso2"},
                    CasoLocal{"ms-its:GESCEN.chm::/sub/tema.htm", "/ayuda/", "/sub/tema.htm"},
                    CasoLocal{"mk:@MSITStore:GESCEN.chm::/tema.htm", "/", "/tema.htm"},
                    CasoLocal{"http://www.example.org/a.htm", "/", "http://www.example.org/a.htm"},
                    CasoLocal{"  tema.htm ", "/", "/tema.htm"}, CasoLocal{"", "/", ""}));

}  // namespace
