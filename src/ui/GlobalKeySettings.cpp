#include "ui/GlobalKeySettings.hpp"

#include "app/LocalizationManager.hpp"
#include "platform/Pasteboard.hpp"
#include "platform/Shortcut.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText gnomeTitle{"GNOME Keyboard Shortcuts", "GNOME 鍵盤快捷鍵", "GNOME 键盘快捷键"};
constexpr LocalizedText addText{"Add to GNOME Keyboard Shortcuts", "加入 GNOME 鍵盤快捷鍵", "添加到 GNOME 键盘快捷键"};
constexpr LocalizedText removeText{"Remove", "移除", "移除"};
constexpr LocalizedText commandTitle{"Command to bind", "要綁定的指令", "要绑定的命令"};
constexpr LocalizedText copyText{"Copy", "複製", "复制"};

AdwActionRow* addRow(AdwPreferencesGroup* group) {
    auto* row = ADW_ACTION_ROW(adw_action_row_new());
    adw_preferences_group_add(group, GTK_WIDGET(row));
    return row;
}

}  // namespace

GlobalKeySettings::GlobalKeySettings(AppContext& context, GlobalKey& key)
    : context_(context), key_(key), group_(ADW_PREFERENCES_GROUP(adw_preferences_group_new())),
      keyRow_(addRow(group_)), gnomeRow_(addRow(group_)), commandRow_(addRow(group_)),
      field_({.chosen = [this](const std::string& accelerator) { context_.appSettings.setGlobalKey(accelerator); },
              .choosing = [this](bool choosing) { key_.setChoosing(choosing); }}) {
    adw_action_row_add_suffix(keyRow_, GTK_WIDGET(field_.widget().gobj()));
    for (auto* button : {&add_, &remove_, &copy_}) button->set_valign(Gtk::Align::CENTER);
    adw_action_row_add_suffix(gnomeRow_, GTK_WIDGET(add_.gobj()));
    adw_action_row_add_suffix(gnomeRow_, GTK_WIDGET(remove_.gobj()));
    adw_action_row_add_suffix(commandRow_, GTK_WIDGET(copy_.gobj()));
    // Only these presses write to GNOME's settings.
    connections_ += add_.signal_clicked().connect([this] { key_.addToGnome(); });
    connections_ += remove_.signal_clicked().connect([this] { key_.removeFromGnome(); });
    connections_ += copy_.signal_clicked().connect([this] { context_.pasteboard.setText(key_.command()); });
    connections_ += key_.status().observe([this] { refresh(); });
    connections_ += context_.appSettings.globalKey().observe([this] { refresh(); });
    connections_ += context_.localization.currentLanguage().observe([this] { refresh(); });
    refresh();
}

std::string GlobalKeySettings::statusText() const {
    const auto shortcut = Shortcut::parse(context_.appSettings.globalKey().get());
    return describe(key_.status().get(), shortcut ? shortcut->label() : "", context_.localization.language());
}

void GlobalKeySettings::refresh() {
    const AppLanguage language = context_.localization.language();
    const auto& status = key_.status().get();
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(keyRow_), globalKeyTitle.in(language).c_str());
    adw_action_row_set_subtitle(keyRow_, statusText().c_str());
    field_.show(context_.appSettings.globalKey().get(), language);

    const bool gnome = status.way == GlobalKeyWay::gnome;
    const bool listed = gnome && status.state == GlobalKeyStatus::State::working;
    gtk_widget_set_visible(GTK_WIDGET(gnomeRow_), gnome);
    const bool offerAdd = !listed || !status.gnomeBinding.empty();
    // The long button names the place itself; a title beside it would leave neither room.
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(gnomeRow_), offerAdd ? "" : gnomeTitle.in(language).c_str());
    add_.set_label(addText.in(language));
    add_.set_visible(offerAdd);
    add_.set_sensitive(!context_.appSettings.globalKey().get().empty());
    remove_.set_label(removeText.in(language));
    remove_.set_visible(listed);

    gtk_widget_set_visible(GTK_WIDGET(commandRow_), status.way == GlobalKeyWay::command);
    adw_preferences_row_set_title(ADW_PREFERENCES_ROW(commandRow_), commandTitle.in(language).c_str());
    adw_action_row_set_subtitle(commandRow_, key_.command().c_str());
    copy_.set_label(copyText.in(language));
}

}  // namespace corvina
