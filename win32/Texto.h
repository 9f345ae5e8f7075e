#pragma once
// The core's UTF-8 text and the wide text of the Windows API.

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

inline std::wstring ancho(std::string_view texto) {
  if (texto.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), out.data(), n);
  return out;
}

inline std::string estrecho(std::wstring_view texto) {
  if (texto.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

// The text of a window (a control's caption or contents), as UTF-8.
inline std::string textoDe(HWND ventana) {
  std::wstring t(static_cast<std::size_t>(GetWindowTextLengthW(ventana)) + 1, L'\0');
  t.resize(static_cast<std::size_t>(GetWindowTextW(ventana, t.data(), static_cast<int>(t.size()))));
  return estrecho(t);
}

}  // namespace win32
