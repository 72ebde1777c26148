#include "app/CommandLine.hpp"

#include <algorithm>
#include <cctype>

namespace corvina {

namespace {

constexpr LocalizedText unknownOption{"Unknown option: %s", "未知的選項：%s", "未知的选项：%s"};
constexpr LocalizedText missingValue{"%s needs a value", "%s 需要一個值", "%s 需要一个值"};
constexpr LocalizedText unexpectedArgument{"Unexpected argument: %s", "多餘的引數：%s", "多余的参数：%s"};
constexpr LocalizedText givenTwice{"%s is given more than once", "%s 重複出現", "%s 重复出现"};
constexpr LocalizedText twoActions{"Give only one of --toggle, --ask, --show and --help (%s is one too many)",
                                   "--toggle、--ask、--show、--help 一次只能用一個（%s 多了）",
                                   "--toggle、--ask、--show、--help 一次只能用一个（%s 多了）"};
constexpr LocalizedText toWithoutAsk{"--to goes only with --ask", "--to 只能與 --ask 一起使用",
                                     "--to 只能与 --ask 一起使用"};
constexpr LocalizedText blankPrompt{"The prompt is empty", "提問內容是空的", "提问内容是空的"};
constexpr LocalizedText noServiceNamed{"--to names no service", "--to 沒有指明任何服務", "--to 没有指明任何服务"};
constexpr LocalizedText unknownService{"Unknown service: %s", "未知的服務：%s", "未知的服务：%s"};
constexpr LocalizedText servicesThereAre{"The services there are: %s", "現有的服務：%s", "现有的服务：%s"};

constexpr LocalizedText help{
    "Usage: corvina [OPTION]\n"
    "Without an option, shows Corvina, starting it when it does not run.\n"
    "\n"
    "  --toggle            Show Corvina with the keyboard in Ask Several, or hide it\n"
    "                      when it is the active window\n"
    "  --ask TEXT          Ask the services chosen in Ask Several; \"--ask -\" reads the\n"
    "                      prompt from standard input. Prints the ids of the services\n"
    "                      asked, one per line\n"
    "  --to ID[,ID...]     With --ask: ask these services instead\n"
    "  --show ID           Show that service\n"
    "  -h, --help          Show this help\n"
    "\n"
    "Exit status: 0 done, 1 not possible now, 2 wrong arguments.\n",
    "用法：corvina [選項]\n"
    "不帶選項時顯示 Corvina，未執行時先啟動它。\n"
    "\n"
    "  --toggle            顯示 Corvina 並將鍵盤焦點放在「同時提問」，\n"
    "                      若它已是使用中的視窗則將其隱藏\n"
    "  --ask 文字          向「同時提問」所選的服務提問；「--ask -」從標準輸入讀取\n"
    "                      提問內容。每行印出一個已提問服務的 ID\n"
    "  --to ID[,ID...]     與 --ask 一起使用：改為向這些服務提問\n"
    "  --show ID           顯示該服務\n"
    "  -h, --help          顯示此說明\n"
    "\n"
    "結束狀態：0 完成，1 目前無法進行，2 引數有誤。\n",
    "用法：corvina [选项]\n"
    "不带选项时显示 Corvina，未运行时先启动它。\n"
    "\n"
    "  --toggle            显示 Corvina 并将键盘焦点放在“同时提问”，\n"
    "                      若它已是活动窗口则将其隐藏\n"
    "  --ask 文字          向“同时提问”所选的服务提问；“--ask -”从标准输入读取\n"
    "                      提问内容。每行打印一个已提问服务的 ID\n"
    "  --to ID[,ID...]     与 --ask 一起使用：改为向这些服务提问\n"
    "  --show ID           显示该服务\n"
    "  -h, --help          显示此帮助\n"
    "\n"
    "退出状态：0 完成，1 目前无法进行，2 参数有误。\n"};

bool blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

std::vector<std::string> splitIDs(const std::string& list) {
    std::vector<std::string> ids;
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto comma = std::min(list.find(',', start), list.size());
        if (auto id = trimmed(list.substr(start, comma - start)); !id.empty()) ids.push_back(std::move(id));
        start = comma + 1;
    }
    return ids;
}

std::string joined(const std::vector<std::string>& pieces) {
    std::string text;
    for (const auto& piece : pieces) text += (text.empty() ? "" : ", ") + piece;
    return text;
}

std::string idsOf(const std::vector<AITab>& tabs) {
    std::vector<std::string> ids;
    for (const auto& tab : tabs) ids.push_back(tab.id);
    return joined(ids);
}

// Reads the arguments one option at a time; the first fault found ends the reading.
class Reader {
public:
    explicit Reader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    CommandParse read() {
        std::optional<CommandLineError> error;
        for (next_ = 0; next_ < arguments_.size() && !error;) error = readOne();
        if (!error) error = check();
        if (error) return *error;
        return request_;
    }

private:
    std::optional<CommandLineError> readOne() {
        const std::string& argument = arguments_[next_++];
        const auto equals = argument.find('=');
        const bool isLong = argument.starts_with("--");
        const std::string name = isLong ? argument.substr(0, equals) : argument;
        const std::optional<std::string> attached =
            isLong && equals != std::string::npos ? std::optional(argument.substr(equals + 1)) : std::nullopt;
        using Action = CommandRequest::Action;
        if (name == "--toggle" || name == "--help" || name == "-h") {
            if (attached) return CommandLineError{unexpectedArgument, argument};
            return setAction(name == "--toggle" ? Action::toggle : Action::help, name);
        }
        if (name == "--ask" || name == "--show" || name == "--to") {
            if (!attached && next_ >= arguments_.size()) return CommandLineError{missingValue, name};
            const std::string value = attached ? *attached : arguments_[next_++];
            if (name == "--to") {
                if (request_.to) return CommandLineError{givenTwice, name};
                request_.to = splitIDs(value);
                return std::nullopt;
            }
            if (auto error = setAction(name == "--ask" ? Action::ask : Action::show, name)) return error;
            if (name == "--show") {
                request_.service = trimmed(value);
                if (request_.service.empty()) return CommandLineError{missingValue, name};
            } else if (!attached && value == "-") {
                request_.promptFromInput = true;
            } else {
                request_.prompt = value;
            }
            return std::nullopt;
        }
        if (argument.starts_with("-") && argument != "-") return CommandLineError{unknownOption, name};
        return CommandLineError{unexpectedArgument, argument};
    }

    std::optional<CommandLineError> setAction(CommandRequest::Action action, const std::string& name) {
        if (request_.action == action) return CommandLineError{givenTwice, name};
        if (request_.action != CommandRequest::Action::activate) return CommandLineError{twoActions, name};
        request_.action = action;
        return std::nullopt;
    }

    std::optional<CommandLineError> check() const {
        using Action = CommandRequest::Action;
        if (request_.to && request_.action != Action::ask) return CommandLineError{toWithoutAsk};
        if (request_.to && request_.to->empty()) return CommandLineError{noServiceNamed};
        if (request_.action == Action::ask && !request_.promptFromInput && blank(request_.prompt))
            return CommandLineError{blankPrompt};
        return std::nullopt;
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    CommandRequest request_;
};

}  // namespace

std::string CommandLineError::message(AppLanguage language) const {
    std::string text = what.in(language, detail);
    if (!choices.empty()) text += "\n" + servicesThereAre.in(language, choices);
    return text;
}

CommandParse parseCommandLine(const std::vector<std::string>& arguments) { return Reader(arguments).read(); }

std::vector<std::string> withPrompt(const std::vector<std::string>& arguments, const std::string& prompt) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--ask" && i + 1 < arguments.size() && arguments[i + 1] == "-") {
            // Attached, the prompt is never read as an option nor as "-" again.
            auto text = prompt;
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
            result.push_back("--ask=" + text);
            ++i;
        } else {
            result.push_back(arguments[i]);
        }
    }
    return result;
}

std::variant<std::vector<AITab>, CommandLineError> chosenServices(const std::vector<std::string>& ids,
                                                                  const std::vector<AITab>& tabs) {
    std::vector<std::string> unknown;
    for (const auto& id : ids)
        if (std::none_of(tabs.begin(), tabs.end(), [&](const AITab& tab) { return tab.id == id; }) &&
            std::find(unknown.begin(), unknown.end(), id) == unknown.end())
            unknown.push_back(id);
    if (!unknown.empty()) return CommandLineError{unknownService, joined(unknown), idsOf(tabs)};
    std::vector<AITab> chosen;
    std::copy_if(tabs.begin(), tabs.end(), std::back_inserter(chosen), [&](const AITab& tab) {
        return std::find(ids.begin(), ids.end(), tab.id) != ids.end();
    });
    return chosen;
}

std::variant<AITab, CommandLineError> chosenService(const std::string& id, const std::vector<AITab>& tabs) {
    auto chosen = chosenServices({id}, tabs);
    if (auto* error = std::get_if<CommandLineError>(&chosen)) return *error;
    return std::get<std::vector<AITab>>(chosen).front();
}

std::string commandLineHelp(AppLanguage language) { return help.in(language); }

}  // namespace corvina
