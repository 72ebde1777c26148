#pragma once
#include <filesystem>
#include <string>

namespace corvina {

// Starting the app when the user logs in. Both calls may fail; they say whether they did.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual bool registerItem() = 0;
    virtual bool unregisterItem() = 0;
};

// An XDG autostart entry that points at the running binary.
class AutostartLoginItem final : public LoginItem {
public:
    AutostartLoginItem(std::filesystem::path autostartDir, std::string appID, std::filesystem::path executable);

    bool registerItem() override;
    bool unregisterItem() override;

    std::filesystem::path entryFile() const;

private:
    std::filesystem::path dir_;
    std::string appID_;
    std::filesystem::path executable_;
};

// The path of this process's own binary.
std::filesystem::path runningExecutable();
// A shell command that runs this binary with `arguments`: by its name where the search path
// finds it as that ("corvina --toggle"), else by its full path.
std::string commandRunningThis(const std::string& arguments);

}  // namespace corvina
