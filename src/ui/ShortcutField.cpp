#include "ui/ShortcutField.hpp"

#include <gtk/gtk.h>

#include "platform/Shortcut.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText pressKeys{"Press keys…", "請按下按鍵…", "请按下按键…"};
constexpr LocalizedText noKey{"None", "無", "无"};
constexpr LocalizedText fieldName{"Key to show and hide Corvina (Backspace clears)", "顯示與隱藏 Corvina 的按鍵（Backspace 清除）",
                                  "显示与隐藏 Corvina 的按键（Backspace 清除）"};

bool isModifierKey(guint keyval) {
    return (keyval >= GDK_KEY_Shift_L && keyval <= GDK_KEY_Hyper_R) || keyval == GDK_KEY_ISO_Level3_Shift ||
           keyval == GDK_KEY_ISO_Level5_Shift || keyval == GDK_KEY_Mode_switch || keyval == GDK_KEY_Num_Lock;
}

}  // namespace

ShortcutField::ShortcutField(Events events) : events_(std::move(events)), keys_(Gtk::EventControllerKey::create()) {
    button_.set_child(label_);
    button_.set_valign(Gtk::Align::CENTER);
    label_.set_can_target(false);
    keys_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    button_.add_controller(keys_);
    connections_ += keys_->signal_key_pressed().connect(
        [this](guint keyval, guint, Gdk::ModifierType state) { return keyPressed(keyval, state); }, false);
    // The user wants to set another key.
    connections_ += button_.signal_clicked().connect([this] { setChoosing(!choosing_); });
    // Leaving the field keeps the key it had.
    connections_ += button_.property_has_focus().signal_changed().connect([this] {
        if (!button_.has_focus()) setChoosing(false);
    });
}

void ShortcutField::show(const std::string& accelerator, AppLanguage language) {
    accelerator_ = accelerator;
    language_ = language;
    setAccessibleLabel(button_, fieldName.in(language));
    refresh();
}

void ShortcutField::refresh() {
    label_.set_disabled_text(choosing_ ? pressKeys.in(language_) : noKey.in(language_));
    label_.set_accelerator(choosing_ ? "" : accelerator_);
}

void ShortcutField::setChoosing(bool choosing) {
    if (choosing == choosing_) return;
    choosing_ = choosing;
    refresh();
    if (events_.choosing) events_.choosing(choosing);
}

bool ShortcutField::keyPressed(guint keyval, Gdk::ModifierType state) {
    if (!choosing_) return false;
    if (isModifierKey(keyval)) return true;
    const auto modifiers = static_cast<GdkModifierType>(state) & gtk_accelerator_get_default_mod_mask() &
                           (GDK_CONTROL_MASK | GDK_ALT_MASK | GDK_SHIFT_MASK | GDK_SUPER_MASK);
    if (modifiers == 0 && keyval == GDK_KEY_Escape) {
        setChoosing(false);
        return true;
    }
    if (modifiers == 0 && keyval == GDK_KEY_BackSpace) {
        setChoosing(false);
        events_.chosen("");
        return true;
    }
    // A key alone (or with Shift) would be taken from every other program's typing.
    const bool functionKey = keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F35;
    if (!(modifiers & (GDK_CONTROL_MASK | GDK_ALT_MASK | GDK_SUPER_MASK)) && !functionKey) return true;
    gchar* name = gtk_accelerator_name(gdk_keyval_to_lower(keyval), static_cast<GdkModifierType>(modifiers));
    const auto shortcut = Shortcut::parse(name);
    g_free(name);
    if (!shortcut) return true;
    setChoosing(false);
    events_.chosen(shortcut->accelerator());
    return true;
}

}  // namespace corvina
