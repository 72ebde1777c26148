#pragma once
#include <string>
#include <vector>

#include <gtkmm/window.h>

#include "app/AppLanguage.hpp"

namespace corvina {

class PromptLibrary;

// Choose Markdown files, or a folder of them, and add their prompts to the library.
void importPromptFiles(Gtk::Window& parent, AppLanguage language, PromptLibrary& library);
void importPromptFolder(Gtk::Window& parent, AppLanguage language, PromptLibrary& library);
// Choose a folder and write these prompts (by file name) into it.
void exportPrompts(Gtk::Window& parent, AppLanguage language, PromptLibrary& library,
                   const std::vector<std::string>& fileNames);

}  // namespace corvina
