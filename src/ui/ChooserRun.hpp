#pragma once
#include <filesystem>
#include <functional>
#include <optional>

#include <gtk/gtk.h>

namespace corvina {

// Shows `chooser` (taking over its reference) and calls `done` once with the chosen path,
// or nullopt when the user cancels; the chooser ends with that.
void runChooser(GtkFileChooserNative* chooser, std::function<void(std::optional<std::filesystem::path>)> done);

}  // namespace corvina
