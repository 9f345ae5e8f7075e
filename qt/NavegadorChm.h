#pragma once
// The pages of a help file in a QTextBrowser. Addresses "chm:/sub/tema.htm" name files
// inside the file; a page's relative links, pictures and style sheets are looked up
// from the page's own folder inside the file, and "ms-its:ARCHIVO.chm::/tema.htm" links
// lead inside it too. Links of another kind (http, mailto) go to the system's browser.

#include <QTextBrowser>
#include <QUrl>
#include <memory>

namespace ayuda {
class ArchivoChm;
}

namespace qt {

class NavegadorChm : public QTextBrowser {
  Q_OBJECT

 public:
  explicit NavegadorChm(QWidget* parent = nullptr);

  // The help file whose pages are shown; the history of the last one is forgotten.
  void setArchivo(std::shared_ptr<const ayuda::ArchivoChm> archivo);

  // Shows a page inside the file: "/sub/tema.htm", with "#ancla" or without.
  void abrir(const QString& tema);

  // The path inside the file of the page shown ("/sub/tema.htm"); "" before any.
  QString tema() const;

  // The address of a page inside the file, and the page an address names inside it
  // ("" for an address outside it).
  static QUrl direccion(const QString& tema);
  static QString temaDe(const QUrl& direccion);

  // A page, picture or style sheet from inside the help file. A page the file lacks is
  // shown as a short Spanish note instead of an empty page.
  QVariant loadResource(int tipo, const QUrl& nombre) override;

 private:
  void seguir(const QUrl& enlace);

  std::shared_ptr<const ayuda::ArchivoChm> archivo_;
  // The page being shown: what a relative address inside it starts from.
  QUrl pagina_;
};

}  // namespace qt
