#pragma once
// The X server's DPMS state as the test sees it, kept apart because X11's macros clash
// with Qt's and gtest's names.
#include <optional>

namespace testenv {

struct DpmsReport {
    int level = 0;  // 0 on, 1 standby, 2 suspend, 3 off
    bool enabled = false;
};

// nullopt when DISPLAY cannot be opened or has no usable DPMS.
std::optional<DpmsReport> queryDpms();
void setDpmsEnabled(bool enabled);

}  // namespace testenv
