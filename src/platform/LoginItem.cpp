#include "platform/LoginItem.hpp"

#include <fstream>

#include <glib.h>

namespace corvina {

namespace fs = std::filesystem;

AutostartLoginItem::AutostartLoginItem(fs::path autostartDir, std::string appID, fs::path executable)
    : dir_(std::move(autostartDir)), appID_(std::move(appID)), executable_(std::move(executable)) {}

fs::path AutostartLoginItem::entryFile() const { return dir_ / (appID_ + ".desktop"); }

bool AutostartLoginItem::registerItem() {
    std::error_code error;
    fs::create_directories(dir_, error);
    gchar* quoted = g_shell_quote(executable_.c_str());
    const std::string exec = quoted;
    g_free(quoted);
    const fs::path temp = entryFile().string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << "[Desktop Entry]\n"
            << "Type=Application\n"
            << "Name=Corvina\n"
            << "Exec=" << exec << "\n"
            << "Icon=" << appID_ << "\n"
            << "Terminal=false\n"
            << "X-GNOME-Autostart-enabled=true\n";
        if (!out.flush()) return false;
    }
    fs::rename(temp, entryFile(), error);
    return !error;
}

bool AutostartLoginItem::unregisterItem() {
    std::error_code error;
    fs::remove(entryFile(), error);
    return !error && !fs::exists(entryFile());
}

fs::path runningExecutable() {
    std::error_code error;
    auto path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path("corvina") : path;
}

std::string commandRunningThis(const std::string& arguments) {
    const fs::path self = runningExecutable();
    gchar* found = g_find_program_in_path(self.filename().c_str());
    std::error_code error;
    const bool byName = found && fs::equivalent(found, self, error);
    g_free(found);
    if (byName) return self.filename().string() + " " + arguments;
    gchar* quoted = g_shell_quote(self.c_str());
    std::string command = std::string(quoted) + " " + arguments;
    g_free(quoted);
    return command;
}

}  // namespace corvina
