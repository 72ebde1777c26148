#pragma once
#include <memory>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>
#include <gtkmm/togglebutton.h>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"
#include "platform/SignalConnection.hpp"
#include "ui/RoundActionsRow.hpp"
#include "web/AppContext.hpp"

namespace corvina {

class PromptPicker;
class PromptBlanksForm;
struct Prompt;

// The Ask Several composer: a prompt field, one toggle per visible service saying whether
// it receives the prompt (with how its delivery goes), and the Ask button. Enter asks,
// Shift+Enter starts a new line, Up and Down in an empty field recall earlier prompts.
class AskSeveralBar : public Gtk::Box {
public:
    static constexpr LocalizedText fieldName{"Ask the chosen services", "向所選的服務提問", "向所选的服务提问"};
    static constexpr LocalizedText askText{"Ask", "提問", "提问"};

    explicit AskSeveralBar(AppContext& context);
    ~AskSeveralBar() override;

    // Puts the keyboard in the prompt field.
    void focusField();
    // Puts a prompt of the library into the field, once its blanks are filled; its
    // services, if it names any, become the chosen ones.
    void usePrompt(const Prompt& prompt);

private:
    // The service's toggle and, once it has answered, its star; the box goes last.
    struct Toggle {
        std::string id;
        Gtk::Box item{Gtk::Orientation::HORIZONTAL, 0};
        Gtk::ToggleButton button;
        Gtk::Box content{Gtk::Orientation::HORIZONTAL, 6};
        Gtk::Image icon;
        Gtk::Box texts{Gtk::Orientation::VERTICAL, 0};
        Gtk::Label name;
        Gtk::Label status;
        ScopedConnection toggled;
        Gtk::ToggleButton star;
        ScopedConnection starred;
    };

    void rebuildToggles();
    void refreshChoice();
    void refreshStatuses();
    void refreshAskButton();
    void retitle();
    bool keyPressed(guint key, Gdk::ModifierType state);
    void ask();
    void finished(bool allSent);
    std::string text() const;
    void showText(const std::string& text);
    bool recall(int step);
    void refreshPicker();
    bool pickerKey(guint key);
    void filled(const std::string& text, const std::vector<std::string>& services);

    AppContext& context_;
    Gtk::ScrolledWindow targetScroller_;
    Gtk::Box targets_{Gtk::Orientation::HORIZONTAL, 6};
    RoundActionsRow roundActions_;
    std::vector<std::unique_ptr<Toggle>> toggles_;
    Gtk::Box inputRow_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Overlay fieldLayers_;
    Gtk::ScrolledWindow fieldScroller_;
    Gtk::TextView field_;
    Gtk::Label placeholder_;
    Gtk::Label answeredCount_;
    Gtk::CheckButton sideBySide_;
    Gtk::Button askButton_;
    // The composition of an input method under way: Enter then belongs to it.
    std::string preedit_;
    SignalConnection preeditWatch_;
    // How many steps back the shown prompt is in the history; 0: the user's own text.
    std::size_t recalled_ = 0;
    // The library's prompts offered after a `/` typed into the empty field.
    std::unique_ptr<PromptPicker> picker_;
    // The blanks of the prompt being used.
    std::unique_ptr<PromptBlanksForm> blanksForm_;
    // Whether the field was empty before its latest change: only a `/` typed into an
    // empty field opens the prompts.
    bool wasEmpty_ = true;
    Connections connections_;
};

}  // namespace corvina
