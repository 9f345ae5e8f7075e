#pragma once
// A record navigator on a data source: ten buttons in a row (first, back ten records,
// prior, next, forward ten records, last, edit, post, cancel, refresh), each with its
// hint; none inserts or deletes a record. Its buttons never take the focus, so using
// them does not take the focus away from a grid on the same source.

#include <QPointer>
#include <QWidget>
#include <array>

class QToolButton;

namespace qt {

class FuenteDatos;

class NavegadorDatos : public QWidget {
  Q_OBJECT

 public:
  // In the order of ui::BotonNavegador, whose rules the buttons follow.
  enum Boton { First, PriorPage, Prior, Next, NextPage, Last, Edit, Post, Cancel, Refresh };
  static constexpr int kBotones = 10;
  static constexpr int kSaltoPagina = 10;

  explicit NavegadorDatos(QWidget* parent = nullptr);

  void setFuente(FuenteDatos* fuente);
  FuenteDatos* fuente() const { return fuente_; }

  QToolButton* boton(Boton b) const { return botones_[static_cast<std::size_t>(b)]; }
  // The button's object name and its hint.
  static QString nombre(Boton b);
  static QString pista(Boton b);

  // What a click on the button does; an error reaches the error display.
  void pulsar(Boton b);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void actualizar();
  void colocar();

  QPointer<FuenteDatos> fuente_;
  std::array<QToolButton*, kBotones> botones_{};
};

}  // namespace qt
