#pragma once
// The folder list: the chain of folders from the drive root down to the current folder,
// then the current folder's subfolders, each row indented by its depth. Folders are
// shown as Windows paths (C:\GC) through the core's drive mapping. A double-click asks
// to open the folder of its row; the Enter key is left to the dialog.

#include <QListWidget>
#include <functional>

class ListaCarpetas : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kAltoFila = 16;
  static constexpr int kSangria = 8;
  // Roles of a row's data: the folder it stands for, and its depth.
  static constexpr int kRolCarpeta = Qt::UserRole;
  static constexpr int kRolNivel = Qt::UserRole + 1;

  // Starts at the process's working directory, without running the change handler.
  explicit ListaCarpetas(QWidget* parent = nullptr);

  // The current folder: a Windows path with no trailing separator except at a drive
  // root ("C:\GC", "C:\").
  QString directorio() const { return directorio_; }

  // Moves to a folder: a Windows path, absolute or relative to the current folder, or a
  // native path. The same folder (names compared as Windows compares them) changes
  // nothing. A folder that does not exist raises gc::EntradaSalidaError (path not
  // found) and the list stays. Otherwise the list shows the new folder, then the change
  // handler runs; its errors reach the caller, the list keeping the new folder.
  void setDirectorio(const QString& carpeta);
  void setAlCambiar(std::function<void()> alCambiar) { alCambiar_ = std::move(alCambiar); }

  // Lists the folders again from the disk.
  void releer();

 signals:
  // A row was double-clicked: the folder it stands for should be opened.
  void aperturaPedida(const QString& carpeta);

 private:
  QString normalizar(const QString& carpeta) const;

  QString directorio_;
  std::function<void()> alCambiar_;
};
