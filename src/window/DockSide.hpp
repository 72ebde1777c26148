#pragma once

namespace corvina {

enum class DockSide { none = 0, left = 1, right = 2 };

}  // namespace corvina
