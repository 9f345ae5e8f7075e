#pragma once
// Whether a grid's column shows a text in full: the text's width in the grid's font
// against the room the style leaves for a cell's text, as the cell is drawn.

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/RejillaDatos.h"

inline bool cabeEnColumna(qt::RejillaDatos* rejilla, int columna, const QString& texto) {
  QStyleOptionViewItem op;
  op.initFrom(rejilla->viewport());
  op.rect = rejilla->visualRect(rejilla->model()->index(0, columna));
  op.features = QStyleOptionViewItem::HasDisplay;
  op.text = texto;
  op.font = rejilla->font();
  op.fontMetrics = QFontMetrics(rejilla->font());
  const QRect caja = rejilla->style()->subElementRect(QStyle::SE_ItemViewItemText, &op, rejilla);
  return op.rect.width() > 0 && op.fontMetrics.horizontalAdvance(texto) <= caja.width();
}

// Whether a column shows `caracteres` digits in full, digits being the widest of the
// characters the grids' fields hold (DNI numbers, times, period numbers).
inline bool muestraSusCaracteres(qt::RejillaDatos* rejilla, int columna, int caracteres) {
  return cabeEnColumna(rejilla, columna, QString("1234567890").repeated(5).left(caracteres));
}
