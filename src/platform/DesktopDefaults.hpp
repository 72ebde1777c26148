#pragma once
#include <string>

#include <gio/gio.h>

#include "platform/Observable.hpp"

namespace corvina {

// What the desktop suggests for the choices the user has not made in the app.
class DesktopDefaults {
public:
    virtual ~DesktopDefaults() = default;
    // The user's first language as the locale names it: "zh_TW.UTF-8", "en_GB", "C".
    virtual std::string firstLanguage() const = 0;
    // Whether the desktop asks applications for dark colours; changes are published.
    virtual const Published<bool>& prefersDark() const = 0;
};

// The locale from the environment (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). The colours from
// the desktop portal's colour scheme, followed while running; where no portal answers or
// it states no preference, from the toolkit's dark-theme setting and theme name as the
// desktop set them, so build this before the style library takes those settings over.
class SystemDesktopDefaults final : public DesktopDefaults {
public:
    SystemDesktopDefaults();
    ~SystemDesktopDefaults() override;
    SystemDesktopDefaults(const SystemDesktopDefaults&) = delete;
    SystemDesktopDefaults& operator=(const SystemDesktopDefaults&) = delete;

    std::string firstLanguage() const override;
    const Published<bool>& prefersDark() const override { return prefersDark_; }

private:
    void schemeChanged(GVariant* value);

    bool toolkitPrefersDark_ = false;
    Published<bool> prefersDark_;
    GDBusConnection* bus_ = nullptr;
    guint subscription_ = 0;
};

}  // namespace corvina
