#pragma once
// The window procedure of a window that belongs to an object: the object comes with the
// window's creation (CreateWindowEx's last argument), is kept in the window's first
// extra bytes, and handles its messages with atender(). T makes this a friend.

#include <windows.h>

namespace win32 {

template <class T>
LRESULT CALLBACK procedimientoDe(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCCREATE) {
    auto* yo = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    yo->ventana_ = h;
    SetWindowLongPtrW(h, 0, reinterpret_cast<LONG_PTR>(yo));
  }
  auto* yo = reinterpret_cast<T*>(GetWindowLongPtrW(h, 0));
  return yo == nullptr ? DefWindowProcW(h, m, w, l) : yo->atender(m, w, l);
}

}  // namespace win32
