#include "integration/AnswerSources.hpp"

#include <fstream>
#include <sstream>

namespace corvina::testing {

std::string answerSource(const std::string& name) {
    std::ifstream file(std::string(CORVINA_EDITOR_FIXTURES) + "/answers/" + name + ".md", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string spaced(const std::string& text) {
    std::string out;
    bool space = false;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

}  // namespace corvina::testing
