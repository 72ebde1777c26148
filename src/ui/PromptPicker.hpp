#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/listbox.h>
#include <gtkmm/scrolledwindow.h>

#include "app/AppLanguage.hpp"
#include "app/PromptFile.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// The library's prompts whose title or text holds what follows the `/` in the composer's
// field. The field keeps the keyboard; the composer moves the selection and picks.
class PromptPicker : public Gtk::Box {
public:
    static constexpr LocalizedText listName{"Prompts", "提示詞", "提示词"};
    static constexpr LocalizedText noneText{"No prompt matches", "沒有相符的提示詞", "没有相符的提示词"};
    // More than the list shows at once; the rest appear as the query narrows.
    static constexpr std::size_t maxRows = 20;

    PromptPicker(AppContext& context, std::function<void(const Prompt&)> picked);

    void showMatches(const std::string& query);
    void close();
    bool isOpen() const { return get_visible(); }
    // Moves the selection up (-1) or down (+1), stopping at the ends.
    void move(int step);
    // Picks the selected prompt, if there is one.
    void pickSelected();
    std::size_t rowCount() const { return shown_.size(); }

private:
    // One row of the list; rows are kept and take whichever prompt is at their place, so
    // a keystroke only changes texts.
    struct Row {
        Gtk::ListBoxRow* row;
        Gtk::Label* title;
        Gtk::Label* text;
    };
    void matchRowCount(std::size_t count);

    AppContext& context_;
    std::function<void(const Prompt&)> picked_;
    Gtk::ScrolledWindow scroller_;
    Gtk::ListBox list_;
    Gtk::Label none_;
    std::vector<Prompt> shown_;
    std::vector<Row> rows_;
    Connections connections_;
};

}  // namespace corvina
