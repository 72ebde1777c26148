#include "ui/SettingBindings.hpp"

#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "ui/SettingsShared.hpp"

namespace corvina {

namespace {

template <class T>
std::function<sigc::connection(sigc::slot<void()>)> observing(const Published<T>& value) {
    return [&value](sigc::slot<void()> slot) { return value.observe(std::move(slot)); };
}

template <class List>
unsigned placeIn(const List& list, typename List::value_type value) {
    for (unsigned i = 0; i < list.size(); ++i)
        if (list[i] == value) return i;
    return 0;
}

bool activeOf(GObject* control) {
    gboolean active = FALSE;
    g_object_get(control, "active", &active, nullptr);
    return active;
}

}  // namespace

SettingLink<bool> loadWhenOpenedSetting(AppSettings& settings) {
    return {[&settings] { return settings.loadServicesWhenOpened().get(); },
            [&settings](bool on) { settings.setLoadServicesWhenOpened(on); },
            observing(settings.loadServicesWhenOpened())};
}

SettingLink<bool> notifyWhenAnsweredSetting(AppSettings& settings) {
    return {[&settings] { return settings.notifyWhenAnswered().get(); },
            [&settings](bool on) { settings.setNotifyWhenAnswered(on); }, observing(settings.notifyWhenAnswered())};
}

SettingLink<bool> keepDesktopLayoutSetting(AppSettings& settings) {
    return {[&settings] { return settings.keepDesktopLayoutInNarrowPanes().get(); },
            [&settings](bool on) { settings.setKeepDesktopLayoutInNarrowPanes(on); },
            observing(settings.keepDesktopLayoutInNarrowPanes())};
}

SettingLink<unsigned> appearanceSetting(AppSettings& settings) {
    return {[&settings] { return placeIn(allAppearances, settings.appearance().get()); },
            [&settings](unsigned place) {
                if (place < allAppearances.size()) settings.setAppearance(allAppearances[place]);
            },
            observing(settings.appearance())};
}

SettingLink<unsigned> sleepTimeSetting(AppSettings& settings) {
    return {[&settings] { return sleepChoiceIndex(settings.sleepUnusedServicesAfter().get()); },
            [&settings](unsigned place) { settings.setSleepUnusedServicesAfter(sleepChoiceTime(place)); },
            observing(settings.sleepUnusedServicesAfter())};
}

SettingLink<unsigned> newWindowTargetSetting(AppSettings& settings) {
    return {[&settings] { return placeIn(allNewWindowTargets, settings.newWindowTarget().get()); },
            [&settings](unsigned place) {
                if (place < allNewWindowTargets.size()) settings.setNewWindowTarget(allNewWindowTargets[place]);
            },
            observing(settings.newWindowTarget())};
}

std::unique_ptr<SettingBinding> SettingBinding::toggle(GObject* control, SettingLink<bool> setting) {
    auto binding = std::make_unique<SettingBinding>();
    binding->hear(control, "active", [control, write = setting.write] { write(activeOf(control)); });
    binding->follow(setting.observe,
                    [control, read = setting.read] { g_object_set(control, "active", gboolean(read()), nullptr); });
    return binding;
}

std::unique_ptr<SettingBinding> SettingBinding::options(std::vector<GObject*> controls, SettingLink<unsigned> setting) {
    auto binding = std::make_unique<SettingBinding>();
    for (unsigned place = 0; place < controls.size(); ++place)
        binding->hear(controls[place], "active", [control = controls[place], place, write = setting.write] {
            if (activeOf(control)) write(place);
        });
    binding->follow(setting.observe, [controls, read = setting.read] {
        if (const auto place = read(); place < controls.size()) g_object_set(controls[place], "active", TRUE, nullptr);
    });
    return binding;
}

std::unique_ptr<SettingBinding> SettingBinding::choice(GObject* control, GtkStringList* list,
                                                       SettingLink<unsigned> setting,
                                                       std::function<std::vector<std::string>(AppLanguage)> names,
                                                       const LocalizationManager& localization) {
    auto binding = std::make_unique<SettingBinding>();
    binding->hear(control, "selected", [control, write = setting.write] {
        guint selected = 0;
        g_object_get(control, "selected", &selected, nullptr);
        write(selected);
    });
    const auto select = [control, read = setting.read] { g_object_set(control, "selected", guint(read()), nullptr); };
    binding->follow(
        [&localization](sigc::slot<void()> slot) { return localization.currentLanguage().observe(std::move(slot)); },
        [list, names = std::move(names), &localization, select] {
            std::vector<const char*> items;
            const auto texts = names(localization.language());
            for (const auto& text : texts) items.push_back(text.c_str());
            items.push_back(nullptr);
            gtk_string_list_splice(list, 0, g_list_model_get_n_items(G_LIST_MODEL(list)), items.data());
            select();
        });
    binding->follow(setting.observe, select);
    return binding;
}

void SettingBinding::hear(GObject* control, const char* property, std::function<void()> take) {
    takes_.push_back(std::make_unique<std::function<void()>>(std::move(take)));
    const std::string signal = std::string("notify::") + property;
    heard_.emplace_back(
        control, signal.c_str(),
        +[](GObject*, GParamSpec*, gpointer take) { (*static_cast<std::function<void()>*>(take))(); },
        takes_.back().get());
}

// Shows the setting now and after each change.
void SettingBinding::follow(const std::function<sigc::connection(sigc::slot<void()>)>& observe,
                            std::function<void()> show) {
    follows_ += observe([this, show] { quietly(show); });
    quietly(show);
}

void SettingBinding::quietly(const std::function<void()>& update) {
    for (auto& heard : heard_) heard.block();
    update();
    for (auto& heard : heard_) heard.unblock();
}

}  // namespace corvina
