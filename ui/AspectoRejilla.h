#pragma once
// The colours of the data grids in the check dialogs, the same in both front ends.

#include "ui/Disposicion.h"

namespace ui::rejilla {

inline constexpr Color kTitulos = Color::rgb(0xFEE4A9);   // the title row
inline constexpr Color kCeldas = Color::rgb(0xF0FBFF);    // the cells of odd rows
inline constexpr Color kAlternas = Color::rgb(0xCFD9FE);  // the cells of even rows
inline constexpr Color kLineas = Color::rgb(0xA0A0A0);    // the lines between cells

}  // namespace ui::rejilla
