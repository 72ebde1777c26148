#include "app/PromptStarters.hpp"

namespace corvina {

namespace {

struct Starter {
    LocalizedText title;
    LocalizedText text;
};

constexpr Starter starters[] = {
    {{"Explain the copied text", "解釋剛複製的文字", "解释刚复制的文字"},
     {"Explain this in plain words, for a reader who is new to the subject:\n\n{{clipboard}}",
      "請用淺白的話，為剛接觸這個主題的讀者解釋以下內容：\n\n{{clipboard}}",
      "请用浅白的话，为刚接触这个主题的读者解释以下内容：\n\n{{clipboard}}"}},
    {{"Translate", "翻譯", "翻译"},
     {"Translate the following into {{language:English|Traditional Chinese|Simplified Chinese}}, keeping its tone:\n\n"
      "{{clipboard}}",
      "請把以下內容翻譯成{{語言:繁體中文|簡體中文|英文}}，保留原來的語氣：\n\n{{clipboard}}",
      "请把以下内容翻译成{{语言:简体中文|繁体中文|英文}}，保留原来的语气：\n\n{{clipboard}}"}},
    {{"Plan my day", "安排今天", "安排今天"},
     {"Today is {{date}}. Help me plan the day around this: {{tasks}}. Keep {{breaks:an hour}} free for breaks.",
      "今天是 {{date}}。請幫我圍繞這些事安排一天：{{事項}}。留出{{休息:一小時}}休息。",
      "今天是 {{date}}。请帮我围绕这些事安排一天：{{事项}}。留出{{休息:一小时}}休息。"}},
};

}  // namespace

std::vector<Prompt> starterPrompts(AppLanguage language) {
    std::vector<Prompt> prompts;
    for (const auto& starter : starters) prompts.push_back({starter.title.in(language), starter.text.in(language), {}});
    return prompts;
}

}  // namespace corvina
