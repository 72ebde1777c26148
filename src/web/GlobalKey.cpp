#include "web/GlobalKey.hpp"

namespace corvina {

namespace {

constexpr const char* shortcutId = "toggle";

constexpr LocalizedText x11Working{"Works everywhere in this X11 session", "在此 X11 工作階段中隨處可用",
                                   "在此 X11 会话中随处可用"};
constexpr LocalizedText taken{"{key} is taken by another program: choose another key", "{key} 已被其他程式佔用：請選擇其他按鍵",
                              "{key} 已被其他程序占用：请选择其他按键"};
constexpr LocalizedText unknownKey{"No key of this keyboard gives {key}", "此鍵盤沒有可按出 {key} 的按鍵",
                                   "此键盘没有可按出 {key} 的按键"};
constexpr LocalizedText notSet{"No key: click the field, then press the keys", "未設定按鍵：點按欄位，再按下按鍵",
                               "未设置按键：点击栏位，再按下按键"};
constexpr LocalizedText portalWorking{"Bound by the desktop's global shortcuts", "已由桌面的全域快捷鍵綁定",
                                      "已由桌面的全局快捷键绑定"};
constexpr LocalizedText portalWaiting{"Waiting for the desktop to bind it (it may ask you)", "正在等待桌面綁定（桌面可能會詢問你）",
                                      "正在等待桌面绑定（桌面可能会询问你）"};
constexpr LocalizedText portalRefused{"The desktop did not bind it", "桌面沒有綁定此按鍵", "桌面没有绑定此按键"};
constexpr LocalizedText gnomeMissing{"GNOME lets no app take a key: add it to GNOME's keyboard shortcuts",
                                     "GNOME 不讓應用程式佔用按鍵：請將它加入 GNOME 鍵盤快捷鍵",
                                     "GNOME 不让应用程序占用按键：请将它添加到 GNOME 键盘快捷键"};
constexpr LocalizedText gnomeWorking{"In GNOME's keyboard shortcuts", "已在 GNOME 鍵盤快捷鍵中", "已在 GNOME 键盘快捷键中"};
constexpr LocalizedText gnomeOther{"GNOME's keyboard shortcuts have it as {other}: add it again for {key}",
                                   "GNOME 鍵盤快捷鍵中設為 {other}：再加入一次以改用 {key}",
                                   "GNOME 键盘快捷键中设为 {other}：再添加一次以改用 {key}"};
constexpr LocalizedText commandOnly{"This desktop lets no app take a key: bind this command in its keyboard settings",
                                    "此桌面不讓應用程式佔用按鍵：請在其鍵盤設定中綁定此指令",
                                    "此桌面不让应用程序占用按键：请在其键盘设置中绑定此命令"};

std::string filled(std::string text, const std::string& name, const std::string& value) {
    const std::string mark = "{" + name + "}";
    if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), value);
    return text;
}

}  // namespace

std::string describe(const GlobalKeyStatus& status, const std::string& key, AppLanguage language) {
    using State = GlobalKeyStatus::State;
    if (status.state == State::notSet) return notSet.in(language);
    if (status.state == State::taken) return filled(taken.in(language), "key", key);
    if (status.state == State::unknownKey) return filled(unknownKey.in(language), "key", key);
    switch (status.way) {
        case GlobalKeyWay::x11: return x11Working.in(language);
        case GlobalKeyWay::portal:
            if (status.state == State::waiting) return portalWaiting.in(language);
            return (status.state == State::working ? portalWorking : portalRefused).in(language);
        case GlobalKeyWay::gnome: {
            if (status.state == State::notAdded) return gnomeMissing.in(language);
            if (status.gnomeBinding.empty()) return gnomeWorking.in(language);
            const auto other = Shortcut::parse(status.gnomeBinding);
            return filled(filled(gnomeOther.in(language), "other", other ? other->label() : status.gnomeBinding), "key", key);
        }
        case GlobalKeyWay::command: break;
    }
    return commandOnly.in(language);
}

GlobalKey::GlobalKey(AppSettings& settings, LocalizationManager& localization, GlobalKeyDesktop desktop, Pressed pressed)
    : settings_(settings), localization_(localization), desktop_(std::move(desktop)), pressed_(std::move(pressed)) {
    if (desktop_.x11)
        grab_ = desktop_.x11(owner_.bind([](GlobalKey& self, std::uint32_t time) { self.pressed_(time, ""); }));
    if (!grab_ && desktop_.bus) {
        portal_ = std::make_unique<ShortcutsPortal>(
            desktop_.bus, shortcutId,
            ShortcutsPortal::Events{
                .changed = owner_.bind([](GlobalKey& self, ShortcutsPortal::State) { self.apply(); }),
                .activated = owner_.bind([](GlobalKey& self, const std::string& token) { self.pressed_(0, token); })});
    }
    if (desktop_.gnome)
        desktop_.gnome->watch(desktop_.command, owner_.bind([](GlobalKey& self) { self.apply(); }));
    keyChanged_ = settings_.globalKey().observe([this] {
        if (portal_) {
            const auto shortcut = Shortcut::parse(settings_.globalKey().get());
            portal_->bind(localization_.text(globalKeyTitle), shortcut ? shortcut->portalTrigger() : "");
        }
        apply();
    });
    if (portal_) {
        const auto shortcut = Shortcut::parse(settings_.globalKey().get());
        portal_->bind(localization_.text(globalKeyTitle), shortcut ? shortcut->portalTrigger() : "");
    }
    apply();
}

GlobalKey::~GlobalKey() { owner_.release(); }

void GlobalKey::apply() {
    const auto shortcut = Shortcut::parse(settings_.globalKey().get());
    if (grab_) return applyX11(shortcut);
    if (portal_ && portal_->state() != ShortcutsPortal::State::absent) return applyPortal(shortcut);
    fallBack();
}

void GlobalKey::applyX11(const std::optional<Shortcut>& shortcut) {
    using State = GlobalKeyStatus::State;
    if (choosing_) return grab_->release();
    if (!shortcut) {
        grab_->release();
        return setStatus(GlobalKeyWay::x11, State::notSet);
    }
    switch (grab_->grab(*shortcut)) {
        case X11KeyGrab::Result::grabbed: return setStatus(GlobalKeyWay::x11, State::working);
        case X11KeyGrab::Result::taken: return setStatus(GlobalKeyWay::x11, State::taken);
        case X11KeyGrab::Result::unknownKey: return setStatus(GlobalKeyWay::x11, State::unknownKey);
    }
}

void GlobalKey::applyPortal(const std::optional<Shortcut>& shortcut) {
    using State = GlobalKeyStatus::State;
    if (!shortcut) return setStatus(GlobalKeyWay::portal, State::notSet);
    switch (portal_->state()) {
        case ShortcutsPortal::State::bound: return setStatus(GlobalKeyWay::portal, State::working);
        case ShortcutsPortal::State::refused: return setStatus(GlobalKeyWay::portal, State::refused);
        default: return setStatus(GlobalKeyWay::portal, State::waiting);
    }
}

// GNOME's keyboard settings where they are installed, else the desktop's own settings.
void GlobalKey::fallBack() {
    using State = GlobalKeyStatus::State;
    if (!desktop_.gnome) return setStatus(GlobalKeyWay::command, State::working);
    const auto entry = desktop_.gnome->find(desktop_.command);
    if (!entry) return setStatus(GlobalKeyWay::gnome, State::notAdded);
    const auto shortcut = Shortcut::parse(entry->binding);
    const bool ours = shortcut && shortcut->accelerator() == settings_.globalKey().get();
    setStatus(GlobalKeyWay::gnome, State::working, ours ? "" : entry->binding);
}

void GlobalKey::setChoosing(bool choosing) {
    choosing_ = choosing;
    apply();
}

void GlobalKey::addToGnome() {
    if (!desktop_.gnome || settings_.globalKey().get().empty()) return;
    desktop_.gnome->add(localization_.text(globalKeyTitle), desktop_.command, settings_.globalKey().get());
    apply();
}

void GlobalKey::removeFromGnome() {
    if (!desktop_.gnome) return;
    desktop_.gnome->remove(desktop_.command);
    apply();
}

void GlobalKey::setStatus(GlobalKeyWay way, GlobalKeyStatus::State state, std::string gnomeBinding) {
    GlobalKeyStatus status{way, state, std::move(gnomeBinding)};
    if (status != status_.get()) status_.set(std::move(status));
}

}  // namespace corvina
