#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include <gdkmm/clipboard.h>
#include <gdkmm/display.h>

namespace corvina {

// The system-wide clipboard as the clipboard history sees it: a counter that grows with
// every change of its contents, and the current plain text, if any.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;
    virtual std::int64_t changeCount() const = 0;
    virtual std::optional<std::string> text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

// The display's clipboard. Its text is read asynchronously after each change; the counter
// moves only once that read has finished, so a reader never sees a new count with old text.
class DisplayPasteboard final : public Pasteboard {
public:
    explicit DisplayPasteboard(const Glib::RefPtr<Gdk::Display>& display);
    ~DisplayPasteboard() override;

    std::int64_t changeCount() const override { return changeCount_; }
    std::optional<std::string> text() const override { return text_; }
    void setText(const std::string& text) override;

private:
    void readText(bool counts);
    std::optional<std::string> localText() const;

    Glib::RefPtr<Gdk::Clipboard> clipboard_;
    sigc::connection changedConnection_;
    Glib::RefPtr<Gio::Cancellable> pendingRead_;
    std::int64_t changeCount_ = 0;
    std::optional<std::string> text_;
};

}  // namespace corvina
