#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <gtk/gtk.h>

namespace corvina {

// Shows `chooser` (taking over its reference) and calls `done` once with the chosen path,
// or nullopt when the user cancels; the chooser ends with that.
void runChooser(GtkFileChooserNative* chooser, std::function<void(std::optional<std::filesystem::path>)> done);
// The same for a chooser of several files: `done` gets them all, none when cancelled.
void runChooserForMany(GtkFileChooserNative* chooser, std::function<void(std::vector<std::filesystem::path>)> done);

}  // namespace corvina
