#include "platform/Pasteboard.hpp"

namespace corvina {

DisplayPasteboard::DisplayPasteboard(const Glib::RefPtr<Gdk::Display>& display) : clipboard_(display->get_clipboard()) {
    changedConnection_ = clipboard_->signal_changed().connect([this] { readText(true); });
    // What is there at start is not a change.
    readText(false);
}

DisplayPasteboard::~DisplayPasteboard() {
    changedConnection_.disconnect();
    if (pendingRead_) pendingRead_->cancel();
}

void DisplayPasteboard::setText(const std::string& text) { clipboard_->set_text(text); }

std::optional<std::string> DisplayPasteboard::localText() const {
    auto* provider = gdk_clipboard_get_content(clipboard_->gobj());
    if (!provider) return std::nullopt;
    GValue value = G_VALUE_INIT;
    g_value_init(&value, G_TYPE_STRING);
    std::optional<std::string> text;
    if (gdk_content_provider_get_value(provider, &value, nullptr) && g_value_get_string(&value))
        text = g_value_get_string(&value);
    g_value_unset(&value);
    return text;
}

void DisplayPasteboard::readText(bool counts) {
    if (pendingRead_) pendingRead_->cancel();
    auto cancellable = Gio::Cancellable::create();
    pendingRead_ = cancellable;
    // Our own writes are read back at once, so the counter has moved when setText returns.
    if (clipboard_->is_local()) {
        text_ = localText();
        if (counts) ++changeCount_;
        pendingRead_.reset();
        return;
    }
    clipboard_->read_text_async(
        [this, cancellable, counts](Glib::RefPtr<Gio::AsyncResult>& result) {
            if (cancellable->is_cancelled()) return;
            try {
                text_ = std::string(clipboard_->read_text_finish(result));
            } catch (const Glib::Error&) {
                text_.reset();
            }
            if (counts) ++changeCount_;
            pendingRead_.reset();
        },
        cancellable);
}

}  // namespace corvina
