#pragma once

namespace corvina {

enum class DockSide { none = 0, left = 1, right = 2 };

inline DockSide dockSideFromInt(int side) {
    return side == 1 ? DockSide::left : side == 2 ? DockSide::right : DockSide::none;
}

}  // namespace corvina
