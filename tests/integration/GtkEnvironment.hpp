#pragma once
#include "platform/DrawingMode.hpp"

namespace corvina::testing {

// How this test display draws, chosen once when the toolkit comes up, as the app does.
DrawingMode displayDrawingMode();

}  // namespace corvina::testing
