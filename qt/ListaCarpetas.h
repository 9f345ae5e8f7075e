#pragma once
// The folder list: the rows of a ui::ModeloCarpetas, each indented by its depth, with a
// folder icon. A double-click asks to open the folder of its row; the Enter key is left
// to the dialog.

#include <QListWidget>

namespace ui {
class ModeloCarpetas;
}

namespace qt {

class ListaCarpetas : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kAltoFila = 16;
  static constexpr int kSangria = 8;
  // Roles of a row's data: the folder it stands for, and its depth.
  static constexpr int kRolCarpeta = Qt::UserRole;
  static constexpr int kRolNivel = Qt::UserRole + 1;

  explicit ListaCarpetas(QWidget* parent = nullptr);

  // Shows the model's rows, read from the disk now, with its folder current.
  void mostrar(const ui::ModeloCarpetas& modelo);
  // The folder shown as current.
  QString directorio() const { return directorio_; }

 signals:
  // A row was double-clicked: the folder it stands for should be opened.
  void aperturaPedida(const QString& carpeta);

 private:
  QString directorio_;
};

}  // namespace qt
