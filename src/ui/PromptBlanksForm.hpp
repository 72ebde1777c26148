#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/dropdown.h>
#include <gtkmm/entry.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"
#include "app/PromptBlanks.hpp"
#include "app/PromptFile.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// A small form under the composer's field with one row per blank of a prompt: a text
// field, or a list for choices and the clipboard. Tab moves between rows, Enter fills the
// prompt, Escape leaves it.
class PromptBlanksForm : public Gtk::Box {
public:
    static constexpr LocalizedText formName{"Fill in the prompt", "填寫提示詞", "填写提示词"};
    static constexpr LocalizedText fillText{"Fill In", "填入", "填入"};
    static constexpr LocalizedText cancelText{"Cancel", "取消", "取消"};

    // `filled` gets the prompt's text with its blanks filled, and the prompt's services.
    using Filled = std::function<void(const std::string& text, const std::vector<std::string>& services)>;
    PromptBlanksForm(AppContext& context, Filled filled, std::function<void()> cancelled);

    // Asks for the blanks of `prompt`; a prompt with none but the date is filled at once.
    void ask(const Prompt& prompt);
    void close();
    bool isOpen() const { return get_visible(); }
    void fill();

private:
    struct Row {
        PromptBlank blank;
        Gtk::Label label;
        Gtk::Entry entry;
        Gtk::DropDown choices;
        std::vector<std::string> values;
        bool usesChoices = false;
    };

    void addRow(const PromptBlank& blank);
    void focusFirstRow();
    void retitle();

    AppContext& context_;
    Filled filled_;
    std::function<void()> cancelled_;
    Prompt prompt_;
    Gtk::Label title_;
    Gtk::Grid grid_;
    std::vector<std::unique_ptr<Row>> rows_;
    Gtk::Box buttons_{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::Button cancel_;
    Gtk::Button fill_;
    // A form asked for before the composer is on screen takes the keyboard once it is.
    bool focusWhenMapped_ = false;
    Connections connections_;
};

}  // namespace corvina
