#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"
#include "panels/ClipboardPanelParts.hpp"

namespace corvina {

// One entry of the clipboard history: its number, its first three lines, and buttons to
// copy it back and to delete it. A row stands for a position in the history, not a text.
class ClipboardPanelRow : public Gtk::Box {
public:
    static constexpr int shownLineLimit = 3;

    ClipboardPanelRow(MainQueue& queue, std::function<void()> onCopy, std::function<void()> onDelete);

    void showEntry(std::size_t position, const std::string& text);
    void setCopiedMarkShown(bool shown);
    void retitle(AppLanguage language);

    std::string number() const { return number_.get_text(); }
    std::string shownText() const { return text_.get_text(); }
    int shownLines() const;
    bool isCopiedMarkShown() const { return copy_.symbol() == "checkmark"; }
    SidePanelIconButton& copyButton() { return copy_; }
    SidePanelIconButton& deleteButton() { return delete_; }

private:
    struct ShownEntry {
        std::string text;
        int linesPerParagraph;
    };
    static ShownEntry shownEntry(const std::string& text);

    Gtk::Label number_;
    Gtk::Label text_;
    Gtk::Box buttons_{Gtk::Orientation::VERTICAL, 6};
    SidePanelIconButton copy_;
    SidePanelIconButton delete_;
    Connections connections_;
};

}  // namespace corvina
