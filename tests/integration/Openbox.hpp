#pragma once
#include <filesystem>

#include <glib.h>

namespace corvina::testing {

// Openbox on the test display for as long as the object lives.
class Openbox {
public:
    // Windows mapped before it has started up may stay unmanaged: it says when it is done.
    Openbox();
    ~Openbox();
    Openbox(const Openbox&) = delete;
    Openbox& operator=(const Openbox&) = delete;

    // Waits until it has started up; false if it did not.
    bool running() const;

private:
    std::filesystem::path ready_;
    GPid pid_ = 0;
};

}  // namespace corvina::testing
