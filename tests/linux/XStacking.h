#pragma once
// The X server's stacking order, kept apart because X11's macros clash with Qt's and gtest's
// names.
#include <vector>

namespace testenv {

// The root window's mapped children, bottom first; empty when DISPLAY cannot be opened.
std::vector<unsigned long> mappedTopLevels();

}  // namespace testenv
