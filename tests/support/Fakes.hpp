#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include <vector>

#include "platform/DesktopDefaults.hpp"
#include "platform/DesktopNotifier.hpp"
#include "platform/LoginItem.hpp"
#include "platform/NetworkWatch.hpp"
#include "platform/Pasteboard.hpp"
#include "platform/UriLauncher.hpp"

namespace corvina::testing {

// A pasteboard that other "applications" (the test) write to.
class FakePasteboard final : public Pasteboard {
public:
    std::int64_t changeCount() const override { return count_; }
    std::optional<std::string> text() const override { return text_; }
    void setText(const std::string& text) override { copy(text); }

    void copy(std::optional<std::string> text) {
        text_ = std::move(text);
        ++count_;
    }

private:
    std::int64_t count_ = 100;
    std::optional<std::string> text_;
};

// Records what was asked; can be told to refuse.
class FakeLoginItem final : public LoginItem {
public:
    bool registerItem() override {
        ++registerCalls;
        if (!refuse) registered = true;
        return !refuse;
    }
    bool unregisterItem() override {
        ++unregisterCalls;
        if (!refuse) registered = false;
        return !refuse;
    }

    bool refuse = false;
    bool registered = false;
    int registerCalls = 0;
    int unregisterCalls = 0;
};

// Keeps the addresses it was asked to open: no browser runs in the tests.
class FakeUriLauncher final : public UriLauncher {
public:
    void open(const std::string& address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

// Keeps the notifications that would reach the desktop.
class FakeDesktopNotifier final : public DesktopNotifier {
public:
    void send(const DesktopNotice& notice) override { sent.push_back(notice); }
    void withdraw(const std::string& id) override { withdrawn.push_back(id); }
    std::vector<DesktopNotice> sent;
    std::vector<std::string> withdrawn;
};

// The network as the test says it is.
class FakeNetworkState final : public NetworkState {
public:
    bool available() const override { return connected; }
    bool connected = true;
};

// A desktop whose locale and colour preference the test sets.
class FakeDesktopDefaults final : public DesktopDefaults {
public:
    std::string firstLanguage() const override { return language; }
    const Published<bool>& prefersDark() const override { return dark; }
    std::string language = "C";
    Published<bool> dark{false};
};

// A fresh folder under /tmp, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& text);

}  // namespace corvina::testing
