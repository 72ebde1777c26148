#pragma once
#include <chrono>
#include <functional>
#include <string>

#include "app/AppLanguage.hpp"
#include "app/AskRounds.hpp"

namespace corvina {

// A service's name in the interface language, by id.
using ServiceNames = std::function<std::string(const std::string& serviceID)>;

// Text shown as itself in Markdown: every character Markdown would read as markup is escaped.
std::string escapedMarkdown(const std::string& text);

// A round's answers as one Markdown document: the prompt first (a heading from its first
// line, then the whole prompt quoted), then each service in the round's order with its
// name, how long it took, its conversation's address and its answer, or what became of it.
std::string roundMarkdown(const AskRound& round, const ServiceNames& names, AppLanguage language);

// A prompt asking one service to weigh the round's answers: the question, then every
// answer labelled A, B, C… (with the services' names only when `nameServices`), asking
// where they agree and differ, which is most accurate, and for the best combined answer,
// in `language`.
std::string comparePrompt(const AskRound& round, const ServiceNames& names, AppLanguage language, bool nameServices);

// A file name for the saved answers: the prompt's first words and the day, safe on any
// file system.
std::string answersFileName(const std::string& prompt, std::chrono::year_month_day day);

}  // namespace corvina
