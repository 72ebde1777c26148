#include "app/ClipboardManager.hpp"

namespace corvina {

ClipboardManager::ClipboardManager(Pasteboard& pasteboard, MainQueue& queue)
    : pasteboard_(pasteboard), queue_(queue), lastChangeCount_(pasteboard.changeCount()) {
    startPolling();
}

void ClipboardManager::startPolling() {
    timer_.reset();
    timer_ = queue_.every(pollInterval, [this] { checkPasteboard(); });
}

void ClipboardManager::checkPasteboard() {
    const auto count = pasteboard_.changeCount();
    if (count == lastChangeCount_) return;
    lastChangeCount_ = count;
    const auto text = pasteboard_.text();
    if (!text || text->empty()) return;
    auto items = items_.get();
    items.push_back(*text);
    if (items.size() > maxItems) items.erase(items.begin());
    items_.set(std::move(items));
}

void ClipboardManager::removeItem(std::size_t index) {
    auto items = items_.get();
    if (index >= items.size()) return;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    items_.set(std::move(items));
}

void ClipboardManager::removeAll() { items_.set({}); }

void ClipboardManager::copyToPasteboard(const std::string& text) {
    pasteboard_.setText(text);
    lastChangeCount_ = pasteboard_.changeCount();
}

}  // namespace corvina
