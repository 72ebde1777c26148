#pragma once
#include <gtkmm/window.h>

#include "app/AppLanguage.hpp"
#include "ui/RoundTexts.hpp"
#include "web/RoundActions.hpp"

namespace corvina {

// Asks where to save the latest round's answers (in the download folder, named after the
// prompt, at first) and saves them there; `saved` learns whether they were written, and is
// not called when the user cancels.
void saveAllAnswers(Gtk::Window& parent, AppLanguage language, RoundActions& actions,
                    std::function<void(bool written)> saved = {});

}  // namespace corvina
