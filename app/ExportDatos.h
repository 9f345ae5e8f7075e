#pragma once
// TExportarDatos, the program's main dialog: the GESCEN folder, the centre and the
// language of the subject names are chosen in it, and the export or the import is
// started from it. It owns the table handles on the school-management tables, and it
// is the user interface the runs talk through.

#include <QDialog>
#include <QStringList>

#include "Catalogo.h"
#include "Interaccion.h"

class CajaUnidades;
class ListaCarpetas;
class PanelDegradado;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWindow;

class TExportarDatos : public QDialog, public tzv::Interaccion {
  Q_OBJECT

 public:
  // `argumentos`: the command-line arguments, without the program's name. Builds the
  // controls only; FormCreate makes the start-up steps.
  explicit TExportarDatos(const QStringList& argumentos, QWidget* parent = nullptr);
  ~TExportarDatos() override;

  // The creation handler: result flag 0, host mode, the staging from the working
  // directory, the folder list on C:\GC, the folder box and the centre list. An error
  // is shown and skips the remaining steps.
  void FormCreate();

  tzv::EstadoPrograma& estado() { return estado_; }
  gc::Catalogo& tablas() { return tablas_; }

  // What the runs ask of the user interface.
  void mensaje(const std::string& texto) override;
  void cursorEspera(bool activo) override;
  void cerrarDialogo() override;
  bool controlProfesores() override;
  void controlPlantilla() override;

 signals:
  // The dialog has closed: the program ends.
  void cerrado();
  // The GESCEN files of a folder have been staged.
  void datosGCCopiados(const QString& carpeta);

 public slots:
  void BExportarClick();
  void BImportarClick();
  void BCloseClick();
  void Button1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void crearControles();
  void ordenTabulacion();
  void colocarPaneles();
  void incrustar(quint32 ventana);
  void ListaDirectoriosChange();
  void CopiarDatosGC();
  void llenarCentros();
  bool FormClose();
  void abrirCarpeta(const QString& carpeta);
  void elegirUnidad(char unidad);

  QStringList argumentos_;
  tzv::EstadoPrograma estado_;
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
  // The twelve table handles (wwTableAsignat ... wwTableOCUPA).
  gc::Catalogo tablas_;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QComboBox* ComboBoxValCast = nullptr;
  QLabel* Label7 = nullptr;
  QPushButton* Button1 = nullptr;
  // Used by the import run only.
  bool Continuar = false;
};
