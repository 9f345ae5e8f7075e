#pragma once
// The drive box: the drives of a ui::ModeloUnidades, shown as "c:", with its selected
// drive.

#include <QComboBox>

namespace ui {
class ModeloUnidades;
}

namespace qt {

class CajaUnidades : public QComboBox {
  Q_OBJECT

 public:
  explicit CajaUnidades(QWidget* parent = nullptr);

  // Lists the model's drives and selects its drive, without signalling a choice.
  void mostrar(const ui::ModeloUnidades& modelo);
  // Upper-case letter of the selected drive; 0 when none is selected.
  char unidad() const;

 signals:
  // The user chose a drive.
  void unidadElegida(char unidad);
};

}  // namespace qt
