#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/LoginItem.hpp"
#include "platform/Pasteboard.hpp"

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
