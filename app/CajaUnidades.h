#pragma once
// The drive box: the drive letters of the core's drive mapping, shown as "c:". It keeps
// each drive's current folder (the root until the folder list has been on that drive),
// so that choosing a drive can move the folder list there.

#include <QComboBox>
#include <QHash>

class CajaUnidades : public QComboBox {
  Q_OBJECT

 public:
  explicit CajaUnidades(QWidget* parent = nullptr);

  // Lists the drives again.
  void releer();

  // Upper-case letter of the selected drive; 0 when none is selected.
  char unidad() const;

  // Selects the drive of a folder (a Windows path), without signalling a choice, and
  // remembers the folder as that drive's current folder.
  void mostrarCarpeta(const QString& carpeta);
  // The drive's current folder: the one remembered, or its root ("D:\").
  QString carpetaActual(char unidad) const;

 signals:
  // The user chose a drive.
  void unidadElegida(char unidad);

 private:
  QHash<char, QString> actual_;
};
