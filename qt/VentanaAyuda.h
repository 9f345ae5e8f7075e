#pragma once
// The help window: the contents of the help file as a tree on the left, the page shown
// on the right, and buttons to go back, forward and to the start page. Choosing an entry
// of the tree opens its page; the entry of the page shown is marked in the tree.

#include <QWidget>
#include <memory>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
namespace ayuda {
class ArchivoChm;
struct EntradaContenido;
}  // namespace ayuda

namespace qt {

class NavegadorChm;

class VentanaAyuda : public QWidget {
  Q_OBJECT

 public:
  explicit VentanaAyuda(QWidget* parent = nullptr);
  ~VentanaAyuda() override;

  // The help file shown: its contents fill the tree; no page is shown until asked.
  void setArchivo(std::shared_ptr<const ayuda::ArchivoChm> archivo);
  const ayuda::ArchivoChm* archivo() const { return archivo_.get(); }

  // Shows a page inside the file ("/sub/tema.htm"), or the start page.
  void abrir(const QString& tema);
  void inicio();

  // The path inside the file of the page shown.
  QString tema() const;

  QTreeWidget* arbolContenido = nullptr;
  NavegadorChm* pagina = nullptr;
  QPushButton* botonAtras = nullptr;
  QPushButton* botonAdelante = nullptr;
  QPushButton* botonInicio = nullptr;

 private:
  void anadir(QTreeWidgetItem* padre, const ayuda::EntradaContenido& entrada);
  void entradaElegida(QTreeWidgetItem* item);
  void marcarEnContenido(const QString& tema);

  std::shared_ptr<const ayuda::ArchivoChm> archivo_;
};

}  // namespace qt
