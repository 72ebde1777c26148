#include "platform/DrawingMode.hpp"

#include <array>
#include <string>

#include <epoxy/gl.h>
#include <gtk/gtk.h>

namespace corvina {

namespace {

// The display's OpenGL renderer name, or "" when the display has no usable OpenGL.
std::string displayRendererName() {
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return "";
    GdkGLContext* context = gdk_display_create_gl_context(display, nullptr);
    if (!context) return "";
    std::string name;
    if (gdk_gl_context_realize(context, nullptr)) {
        gdk_gl_context_make_current(context);
        if (const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER))) name = text;
        gdk_gl_context_clear_current();
    }
    g_object_unref(context);
    return name;
}

}  // namespace

bool isSoftwareRasterizer(std::string_view glRenderer) {
    static constexpr std::array<std::string_view, 5> software{"llvmpipe", "softpipe", "swrast", "software rasterizer",
                                                              "swiftshader"};
    gchar* lower = g_ascii_strdown(glRenderer.data(), static_cast<gssize>(glRenderer.size()));
    const std::string name(lower);
    g_free(lower);
    for (auto marker : software)
        if (name.find(marker) != std::string::npos) return true;
    return false;
}

DrawingMode chooseDrawingMode() {
    const auto renderer = displayRendererName();
    const auto mode = renderer.empty() || isSoftwareRasterizer(renderer) ? DrawingMode::cpu : DrawingMode::gpu;
    if (mode == DrawingMode::cpu) g_setenv("GSK_RENDERER", "cairo", FALSE);
    return mode;
}

}  // namespace corvina
