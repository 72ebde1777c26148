#pragma once
#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include "app/LocalizationManager.hpp"
#include "web/downloads/DownloadSettings.hpp"

namespace corvina {

// The folder chooser of the download setting: modal to `parent`, titled in the interface
// language, starting in the current folder, offering to create folders.
DownloadSettings::FolderChooser folderChooser(Gtk::Window& parent, const LocalizationManager& localization,
                                              const DownloadSettings& settings);

// The dialog that chooser shows, not shown yet (the caller owns the reference).
GtkFileChooserNative* newFolderChooserDialog(Gtk::Window& parent, const LocalizationManager& localization,
                                             const DownloadSettings& settings);

}  // namespace corvina
