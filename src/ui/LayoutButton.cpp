#include "ui/LayoutButton.hpp"

#include "app/AppState.hpp"
#include "app/LocalizationManager.hpp"
#include "ui/MenuCommands.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr int choicesPerRow = 3;

}  // namespace

LayoutButton::Choice::Choice(PaneArrangement arrangement)
    : arrangement(arrangement), picture(shapeOf(arrangement).columns, shapeOf(arrangement).rows) {
    button.add_css_class("flat");
    button.add_css_class("layout-choice");
    name.add_css_class("layout-name");
    content.append(picture);
    content.append(name);
    button.set_child(content);
}

LayoutButton::LayoutButton(AppContext& context) : context_(context) {
    set_icon_name("rectangle.split.2x2-symbolic");
    add_css_class("flat");
    add_css_class("layout-button");
    set_valign(Gtk::Align::CENTER);

    grid_.add_css_class("layout-choices");
    grid_.set_row_spacing(4);
    grid_.set_column_spacing(4);
    grid_.set_column_homogeneous(true);
    for (PaneArrangement arrangement : allArrangements()) {
        auto choice = std::make_unique<Choice>(arrangement);
        // What the user means: this layout, and done with the popover.
        choice->button.signal_clicked().connect([this, arrangement] {
            popover_.popdown();
            context_.appState.chooseArrangement(arrangement);
        });
        const int place = static_cast<int>(choices_.size());
        grid_.attach(choice->button, place % choicesPerRow, place / choicesPerRow);
        choices_.push_back(std::move(choice));
    }
    popover_.add_css_class("layout-popover");
    popover_.set_child(grid_);
    set_popover(popover_);
    // The keyboard starts on the layout shown, so Escape or Enter leave it as it is.
    popover_.signal_show().connect([this] {
        for (auto& choice : choices_)
            if (choice->arrangement == context_.appState.panes().arrangement()) choice->button.grab_focus();
    });

    connections_ += context.appState.panes().observe([this] { markCurrent(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
    markCurrent();
}

void LayoutButton::retitle() {
    const auto language = context_.localization.language();
    const auto title = MenuCommands::layoutTitle.in(language);
    set_tooltip_text(title);
    setAccessibleLabel(*this, title);
    for (auto& choice : choices_) {
        const auto name = MenuCommands::arrangementTitle(choice->arrangement).in(language);
        choice->name.set_text(name);
        setAccessibleLabel(choice->button, name);
        auto tip = name + " (" + MenuCommands::arrangementKeys(choice->arrangement) + ")";
        if (shapeOf(choice->arrangement).columns > 1) tip += "\n" + MenuCommands::widensWindowNote.in(language);
        choice->button.set_tooltip_text(tip);
    }
}

void LayoutButton::markCurrent() {
    const auto current = context_.appState.panes().arrangement();
    for (auto& choice : choices_) {
        const bool isCurrent = choice->arrangement == current;
        isCurrent ? choice->button.add_css_class("current") : choice->button.remove_css_class("current");
        gtk_accessible_update_state(GTK_ACCESSIBLE(choice->button.gobj()), GTK_ACCESSIBLE_STATE_CHECKED,
                                    isCurrent ? GTK_ACCESSIBLE_TRISTATE_TRUE : GTK_ACCESSIBLE_TRISTATE_FALSE, -1);
    }
}

}  // namespace corvina
