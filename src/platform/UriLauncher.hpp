#pragma once
#include <string>

namespace corvina {

// True for http and https addresses only: nothing else is ever handed to another program.
bool isWebAddress(const std::string& address);

// Opens an address in the desktop's browser.
class UriLauncher {
public:
    virtual ~UriLauncher() = default;
    virtual void open(const std::string& address) = 0;
};

// Through GIO, which goes through the desktop portal inside a sandbox. Addresses that are
// not web addresses are refused.
class DesktopUriLauncher final : public UriLauncher {
public:
    void open(const std::string& address) override;
};

}  // namespace corvina
