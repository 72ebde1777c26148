#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include <webkit/webkit.h>

namespace corvina {

// A service's last answer as read from its page.
struct PageAnswer {
    std::optional<std::string> markdown;  // nothing when no answer could be told apart
    bool cut = false;                     // longer than maxAnswerBytes: only its start is here
};

inline constexpr std::size_t maxAnswerBytes = 1024 * 1024;

// Notes, just before `prompt` is sent to the page, what the page holds: what it shows
// afterwards is the answer. Runs in our own script world; a new document forgets the note.
void markAnswerStart(WebKitWebView* view, const std::string& prompt);

// Reads, once the answer has finished, what the page showed since the mark, as Markdown:
// the content, without the page's controls, its message box or the echo of the prompt.
// `done` runs once, on the main loop, with no answer when there was no mark, nothing new,
// or the page could not be read.
void readAnswer(WebKitWebView* view, std::function<void(PageAnswer)> done);

// `markdown` as handed on: cut, when longer than `limit` bytes, at the last UTF-8 character
// that ends within the limit.
PageAnswer limitedAnswer(std::string markdown, std::size_t limit = maxAnswerBytes);

}  // namespace corvina
