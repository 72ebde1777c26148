#pragma once
#include <optional>
#include <string>

#include "app/AppLanguage.hpp"

namespace corvina {

// The engine's stock context-menu actions, with the engine's own numbering (so the web
// view converts with a cast; the unit tests check the numbers against the engine).
enum class MenuAction : int {
    noAction = 0,
    openLink = 1,
    openLinkInNewWindow = 2,
    downloadLinkToDisk = 3,
    copyLinkToClipboard = 4,
    openImageInNewWindow = 5,
    downloadImageToDisk = 6,
    copyImageToClipboard = 7,
    copyImageURLToClipboard = 8,
    goBack = 10,
    goForward = 11,
    reload = 13,
    copy = 14,
    cut = 15,
    paste = 16,
    selectAll = 18,
    inspectElement = 31,
    custom = 10000,
};

// "Select _All" -> "Select All"; "__" stands for one underscore.
std::string withoutMnemonics(const std::string& label);

// The Chinese title of a page menu item found by its title: blanks and tabs at both ends
// and mnemonic underscores are ignored, then the table is tried top to bottom (exact or
// prefix, case-sensitive). Nullopt in English and for titles without an entry, which
// keep the engine's title.
std::optional<std::string> translatedMenuTitle(const std::string& engineLabel, AppLanguage language);

// The same for an item of the engine's menu: its stock action decides where the table
// knows it, since the engine's label may already be in the system's language; other
// items (custom ones, or actions without an entry) fall back to the label.
std::optional<std::string> translatedMenuTitle(MenuAction action, const std::string& engineLabel,
                                               AppLanguage language);

}  // namespace corvina
