#pragma once
// TExportarDatos, the program's main dialog on Qt: the window of ui::PresentadorPrincipal,
// built from the main dialog's layout table. It forwards the user's input to the
// presenter and shows what the presenter tells it; the runs talk to the user through it.

#include <QDialog>
#include <QStringList>
#include <memory>

#include "ui/PresentadorPrincipal.h"
#include "ui/VistaPrincipal.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWindow;

namespace qt {

class CajaUnidades;
class ListaCarpetas;
class PanelDegradado;

class TExportarDatos : public QDialog, public ui::VistaPrincipal {
  Q_OBJECT

 public:
  // `argumentos`: the command-line arguments, without the program's name. Builds the
  // controls only; FormCreate makes the start-up steps.
  explicit TExportarDatos(const QStringList& argumentos, QWidget* parent = nullptr);
  ~TExportarDatos() override;

  void FormCreate() { presentador_->FormCreate(); }

  procesos::EstadoPrograma& estado() { return presentador_->estado(); }
  gescen::Catalogo& tablas() { return presentador_->tablas(); }

  // What the runs ask of the user interface.
  void mensaje(const std::string& texto) override;
  void cursorEspera(bool activo) override;
  bool controlProfesores() override;
  void controlPlantilla() override;

 signals:
  // The dialog has closed: the program ends.
  void cerrado();
  // The GESCEN files of a folder have been staged.
  void datosGCCopiados(const QString& carpeta);

 public slots:
  void BExportarClick() { presentador_->BExportarClick(); }
  void BImportarClick() { presentador_->BImportarClick(); }
  void BCloseClick() { close(); }
  void Button1Click() { presentador_->Button1Click(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What the presenter shows through the window.
  void incrustar(std::uint32_t ventana) override;
  void mostrarPaneles(bool exportar, bool importar) override;
  void mostrarCarpetas(const ui::ModeloCarpetas& carpetas) override;
  void mostrarUnidades(const ui::ModeloUnidades& unidades) override;
  void textoCarpeta(const std::string& texto) override;
  void centros(const std::vector<std::string>& codigos) override;
  std::string centro() const override;
  std::string idioma() const override;
  void error(const std::string& texto) override;
  void cerrarDialogo() override;
  void ayudaContenido() override;
  void ayudaContexto(int contexto) override;
  void datosCopiados(const std::string& carpeta) override;

  void crearControles();
  void ordenTabulacion();
  void colocarPaneles();

  std::unique_ptr<ui::PresentadorPrincipal> presentador_;
  QWindow* anfitrion_ = nullptr;
  bool esperando_ = false;

  // Controls in the order of the dialog's parts.
  PanelDegradado* Draw3D1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* EdNuevoDir = nullptr;
  ListaCarpetas* ListaDirectorios = nullptr;
  CajaUnidades* ListaUnidades = nullptr;
  QComboBox* CBCentro = nullptr;
  QLabel* Label2 = nullptr;
  PanelDegradado* Draw3D2 = nullptr;
  QPushButton* BExportar = nullptr;
  QPushButton* BClose = nullptr;
  QLabel* Label3 = nullptr;
  PanelDegradado* Draw3D3 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* BImportar = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QComboBox* ComboBoxValCast = nullptr;
  QLabel* Label7 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace qt
