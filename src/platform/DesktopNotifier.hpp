#pragma once
#include <string>

namespace corvina {

// A desktop notification whose click runs the application action `action` with `id`.
struct DesktopNotice {
    std::string id;
    std::string title;
    std::string body;
    std::string action;
};

class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void send(const DesktopNotice& notice) = 0;
    virtual void withdraw(const std::string& id) = 0;
};

// Through the running application (the notification server or portal it is registered with),
// with the application's name and icon.
class ApplicationNotifier final : public DesktopNotifier {
public:
    void send(const DesktopNotice& notice) override;
    void withdraw(const std::string& id) override;
};

}  // namespace corvina
