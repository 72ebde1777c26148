#pragma once
#include <string>

#include "app/AppLanguage.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// What the download toast says, and for how long. Each report shows for three seconds.
// A failure is the report the user must not miss: while it shows, a success does not
// replace it, and further failures say how many failed in a row.
class DownloadReports {
public:
    static constexpr Milliseconds shownFor{3000};

    explicit DownloadReports(MainQueue& queue) : queue_(queue) {}

    void finished(AppLanguage language);
    // `reason`: the engine's description of what went wrong.
    void failed(AppLanguage language, const std::string& reason);
    // The user closed the toast: whatever comes next shows.
    void dismiss();

    const Published<bool>& shown() const { return shown_; }
    const Published<std::string>& message() const { return message_; }

private:
    void show(std::string message);
    void hide();

    MainQueue& queue_;
    Published<bool> shown_{false};
    Published<std::string> message_;
    TimerHandle hideTimer_;
    // Failures reported since the toast last showed anything else; the toast shows a
    // failure exactly while this is not zero.
    unsigned failures_ = 0;
};

}  // namespace corvina
