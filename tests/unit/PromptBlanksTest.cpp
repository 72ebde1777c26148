#include <gtest/gtest.h>

#include "app/PromptBlanks.hpp"

using namespace corvina;

namespace {

using Kind = PromptBlank::Kind;

struct FillCase {
    const char* text;
    std::map<std::string, std::string> values;
    const char* filled;
};

// How text reads once filled: what counts as a blank, and what is left as written.
TEST(PromptBlanks, FillsBlanksAndLeavesLookalikesAsWritten) {
    const FillCase cases[] = {
        {"Hello {{name}}!", {{"name", "Ana"}}, "Hello Ana!"},
        {"{{ name }} and {{name}}", {{"name", "Bo"}}, "Bo and Bo"},
        {"Tone: {{tone:friendly}}", {}, "Tone: friendly"},
        {"Tone: {{tone:friendly}}", {{"tone", "dry"}}, "Tone: dry"},
        {"In {{lang:French|German}}", {}, "In French"},
        {"{{語言:繁體中文|英文}}：{{內容}}", {{"內容", "你好"}}, "繁體中文：你好"},
        {"a {{b", {{"b", "x"}}, "a {{b"},
        {"a {{}} b {{ }} c {{:x}}", {}, "a {{}} b {{ }} c {{:x}}"},
        {"\\{{name}} is {{name}}", {{"name", "Cy"}}, "{{name}} is Cy"},
        {"{{a{{b}}}}", {{"b", "x"}}, "{{ax}}"},
        {"{{{x}}}", {{"x", "1"}}, "{1}"},
        {"line {{one\ntwo}}", {{"one", "x"}}, "line {{one\ntwo}}"},
        {"{{x:first}} then {{x:second}}", {}, "first then first"},
        {"}} {{ x", {}, "}} {{ x"},
    };
    for (const auto& c : cases) EXPECT_EQ(fillBlanks(c.text, c.values), c.filled) << c.text;
}

// What the form asks: each blank once, in order, in the form of its first use.
TEST(PromptBlanks, ListsEachBlankOnceWithItsKind) {
    const auto blanks = blanksOf("{{clipboard}} on {{date}}: {{who}} to {{where:here|there}}, {{who:ignored}}, {{n:3}}");
    const std::vector<PromptBlank> expected = {
        {"clipboard", Kind::clipboard, "", {}},
        {"date", Kind::date, "", {}},
        {"who", Kind::text, "", {}},
        {"where", Kind::choice, "here", {"here", "there"}},
        {"n", Kind::text, "3", {}},
    };
    EXPECT_EQ(blanks, expected);
    EXPECT_TRUE(blanksOf("plain {{ text").empty());
    EXPECT_TRUE(blanksOf("\\{{escaped}}").empty());
    // A built-in's name with a default is an ordinary blank.
    EXPECT_EQ(blanksOf("{{date:today}}").front().kind, Kind::text);
}

TEST(PromptBlanks, BuiltInsOfferTheNewestCopyFirstAndTheDayInFull) {
    EXPECT_EQ(clipboardChoices({"oldest", "middle", "newest"}), (std::vector<std::string>{"newest", "middle", "oldest"}));
    EXPECT_TRUE(clipboardChoices({}).empty());
    using namespace std::chrono;
    EXPECT_EQ(dateValue(year(2026) / March / 7), "2026-03-07");
    EXPECT_EQ(dateValue(year(999) / December / 31), "0999-12-31");
}

}  // namespace
