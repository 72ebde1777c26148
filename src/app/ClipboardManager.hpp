#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "platform/Pasteboard.hpp"

namespace corvina {

// The last texts copied anywhere on the system while the app runs; never written to disk.
class ClipboardManager {
public:
    static constexpr std::size_t maxItems = 30;
    static constexpr Milliseconds pollInterval{500};

    ClipboardManager(Pasteboard& pasteboard, MainQueue& queue);

    const Published<std::vector<std::string>>& items() const { return items_; }
    std::int64_t lastChangeCount() const { return lastChangeCount_; }

    void startPolling();
    void checkPasteboard();

    // Operations of the clipboard panel.
    void removeItem(std::size_t index);
    void removeAll();
    // Puts an entry back on the pasteboard without recording it again.
    void copyToPasteboard(const std::string& text);

private:
    Pasteboard& pasteboard_;
    MainQueue& queue_;
    Published<std::vector<std::string>> items_;
    std::int64_t lastChangeCount_;
    TimerHandle timer_;
};

}  // namespace corvina
