#pragma once

// One owner per GDI object and icon the window makes: each is freed exactly once, when its
// owner goes, on every path out (a failed start-up included).

#include <memory>
#include <type_traits>

#include <windows.h>

namespace hexagon {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

struct IconDeleter {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};

using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace hexagon
