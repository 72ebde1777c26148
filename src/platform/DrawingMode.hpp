#pragma once
#include <string_view>

namespace corvina {

// Who draws windows and pages. Without a GPU (a virtual machine, a remote or virtual
// display) OpenGL is a software rasteriser that emulates one: slower to start and dearer
// in CPU and memory than drawing on the CPU directly, so there everything draws on the CPU.
enum class DrawingMode { gpu, cpu };

// Whether an OpenGL renderer name (GL_RENDERER) is a software rasteriser.
bool isSoftwareRasterizer(std::string_view glRenderer);

// Asks the default display's OpenGL once and, for `cpu`, makes windows realised from now
// on use the CPU renderer unless the user chose one (GSK_RENDERER). Call it before the
// first window is shown.
DrawingMode chooseDrawingMode();

}  // namespace corvina
