#include "qt/NavegadorChm.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QTextDocument>

#include "ayuda/ArchivoChm.h"
#include "ayuda/TextoChm.h"

namespace qt {

namespace {

const QString kEsquema = QStringLiteral("chm");

QString texto(const std::string& bytes) { return QString::fromStdString(ayuda::textoUtf8(bytes)); }

// Qt's HTML reader takes a <link rel="stylesheet"> only with type="text/css", which pages
// may leave out: the type is added where it is missing.
QString conTipoCss(const QString& html) {
  static const QRegularExpression enlace(QStringLiteral("<link\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression hoja(QStringLiteral("\\brel\\s*=\\s*[\"']?stylesheet\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression tipo(QStringLiteral("\\btype\\s*="),
                                       QRegularExpression::CaseInsensitiveOption);
  QString salida;
  qsizetype desde = 0;
  for (auto it = enlace.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    QString etiqueta = m.captured();
    if (etiqueta.contains(hoja) && !etiqueta.contains(tipo))
      etiqueta.insert(5, QStringLiteral(" type=\"text/css\""));
    salida += QStringView(html).mid(desde, m.capturedStart() - desde);
    salida += etiqueta;
    desde = m.capturedEnd();
  }
  salida += QStringView(html).mid(desde);
  return salida;
}

}  // namespace

NavegadorChm::NavegadorChm(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed here: inside the file, or out to the system's browser.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &NavegadorChm::seguir);
}

void NavegadorChm::setArchivo(std::shared_ptr<const ayuda::ArchivoChm> archivo) {
  archivo_ = std::move(archivo);
  pagina_ = QUrl();
  // A page of the last file must not come back from the document's cache or history.
  setSource(QUrl());
  clear();
  clearHistory();
}

QUrl NavegadorChm::direccion(const QString& tema) {
  QUrl url;
  url.setScheme(kEsquema);
  const qsizetype ancla = tema.indexOf(QLatin1Char('#'));
  url.setPath(QString::fromStdString(ayuda::rutaInterna(tema.left(ancla).toStdString())));
  if (ancla >= 0) url.setFragment(tema.mid(ancla + 1));
  return url;
}

QString NavegadorChm::temaDe(const QUrl& direccion) {
  if (direccion.scheme() == kEsquema) return direccion.path();
  // ms-its:GESCEN.chm::/tema.htm and mk:@MSITStore:GESCEN.chm::/tema.htm
  const QString sinAncla = direccion.toString(QUrl::RemoveFragment | QUrl::PrettyDecoded);
  const qsizetype dentro = sinAncla.indexOf(QLatin1String("::"));
  if (dentro < 0) return {};
  return QString::fromStdString(ayuda::rutaInterna(sinAncla.mid(dentro + 2).toStdString()));
}

void NavegadorChm::abrir(const QString& tema) { setSource(direccion(tema)); }

QString NavegadorChm::tema() const { return temaDe(source()); }

void NavegadorChm::seguir(const QUrl& enlace) {
  const QUrl url = enlace.isRelative() ? pagina_.resolved(enlace) : enlace;
  const QString tema = temaDe(url);
  if (!tema.isEmpty()) {
    QUrl interna = direccion(tema);
    if (url.hasFragment()) interna.setFragment(url.fragment());
    setSource(interna);
  } else if (!url.isEmpty()) {
    QDesktopServices::openUrl(url);
  }
}

QVariant NavegadorChm::loadResource(int tipo, const QUrl& nombre) {
  const QUrl url = nombre.isRelative() ? pagina_.resolved(nombre) : nombre;
  const QString tema = temaDe(url);
  if (archivo_ == nullptr || tema.isEmpty()) return {};
  const std::optional<std::string> datos = archivo_->leer(tema.toStdString());
  switch (tipo) {
    case QTextDocument::HtmlResource:
      pagina_ = direccion(tema);
      if (!datos)
        return tr("<html><body><p>El archivo de ayuda no tiene la página %1.</p></body></html>")
            .arg(tema.toHtmlEscaped());
      return conTipoCss(texto(*datos));
    case QTextDocument::StyleSheetResource:
      return datos ? QVariant(texto(*datos)) : QVariant();
    default:
      return datos ? QVariant(QByteArray(datos->data(), static_cast<qsizetype>(datos->size())))
                   : QVariant();
  }
}

}  // namespace qt
