#include <gtest/gtest.h>

#include "app/CommandLine.hpp"

using namespace corvina;

namespace {

using Action = CommandRequest::Action;

CommandRequest request(const std::vector<std::string>& arguments) {
    const auto parse = parseCommandLine(arguments);
    if (const auto* error = std::get_if<CommandLineError>(&parse))
        ADD_FAILURE() << "refused: " << error->message(AppLanguage::en);
    return std::holds_alternative<CommandRequest>(parse) ? std::get<CommandRequest>(parse) : CommandRequest{};
}

std::string refusal(const std::vector<std::string>& arguments, AppLanguage language = AppLanguage::en) {
    const auto parse = parseCommandLine(arguments);
    if (const auto* error = std::get_if<CommandLineError>(&parse)) return error->message(language);
    ADD_FAILURE() << "accepted";
    return "";
}

std::vector<AITab> tabs(const std::vector<std::string>& ids) {
    std::vector<AITab> result;
    for (const auto& id : ids) result.push_back(AITab{id, "https://" + id + ".test/", id, id, id, ""});
    return result;
}

std::vector<std::string> idsOf(const std::variant<std::vector<AITab>, CommandLineError>& chosen) {
    std::vector<std::string> ids;
    if (const auto* error = std::get_if<CommandLineError>(&chosen)) {
        ADD_FAILURE() << "refused: " << error->message(AppLanguage::en);
        return ids;
    }
    for (const auto& tab : std::get<std::vector<AITab>>(chosen)) ids.push_back(tab.id);
    return ids;
}

TEST(CommandLineTest, NoArgumentsShowTheWindow) { EXPECT_EQ(request({}).action, Action::activate); }

TEST(CommandLineTest, ReadsEachActionInBothSpellings) {
    EXPECT_EQ(request({"--toggle"}).action, Action::toggle);
    EXPECT_EQ(request({"--help"}).action, Action::help);
    EXPECT_EQ(request({"-h"}).action, Action::help);

    const auto show = request({"--show", "claude"});
    EXPECT_EQ(show.action, Action::show);
    EXPECT_EQ(show.service, "claude");
    EXPECT_EQ(request({"--show=custom_X"}).service, "custom_X");

    const auto ask = request({"--ask", "What is  2+2?\nThanks"});
    EXPECT_EQ(ask.action, Action::ask);
    EXPECT_EQ(ask.prompt, "What is  2+2?\nThanks");
    EXPECT_FALSE(ask.promptFromInput);
    EXPECT_FALSE(ask.to.has_value());
    EXPECT_EQ(request({"--ask=a=b"}).prompt, "a=b");
    // The value is taken whatever it looks like, as a prompt may start with dashes.
    EXPECT_EQ(request({"--ask", "--toggle"}).prompt, "--toggle");
}

TEST(CommandLineTest, AskTakesItsServicesInTheOrderGivenAndItsPromptFromInputOnlyAsASeparateDash) {
    const auto ask = request({"--to", " b, a ,,c", "--ask", "hi"});
    ASSERT_TRUE(ask.to.has_value());
    EXPECT_EQ(*ask.to, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(request({"--ask", "hi", "--to=a"}).to, std::optional<std::vector<std::string>>({"a"}));

    const auto fromInput = request({"--ask", "-"});
    EXPECT_TRUE(fromInput.promptFromInput);
    EXPECT_EQ(fromInput.prompt, "");
    const auto dash = request({"--ask=-"});
    EXPECT_FALSE(dash.promptFromInput);
    EXPECT_EQ(dash.prompt, "-");
}

TEST(CommandLineTest, ThePromptFromInputTakesThePlaceOfTheDashAndIsNeverReadAsAnOption) {
    EXPECT_EQ(withPrompt({"--to", "a", "--ask", "-"}, "--show x\n"),
              (std::vector<std::string>{"--to", "a", "--ask=--show x"}));
    EXPECT_EQ(withPrompt({"--ask", "-", "--to=a"}, "line one\r\nline two\r\n\n"),
              (std::vector<std::string>{"--ask=line one\r\nline two", "--to=a"}));
    const auto again = request(withPrompt({"--ask", "-"}, "-"));
    EXPECT_FALSE(again.promptFromInput);
    EXPECT_EQ(again.prompt, "-");
    EXPECT_EQ(refusal(withPrompt({"--ask", "-"}, " \n\t\n")), "The prompt is empty");
}

TEST(CommandLineTest, EveryFaultIsNamed) {
    EXPECT_EQ(refusal({"--bogus"}), "Unknown option: --bogus");
    EXPECT_EQ(refusal({"--bogus=1"}), "Unknown option: --bogus");
    EXPECT_EQ(refusal({"-x"}), "Unknown option: -x");
    EXPECT_EQ(refusal({"hello"}), "Unexpected argument: hello");
    EXPECT_EQ(refusal({"--ask", "a", "b"}), "Unexpected argument: b");
    EXPECT_EQ(refusal({"--toggle=yes"}), "Unexpected argument: --toggle=yes");
    EXPECT_EQ(refusal({"--ask"}), "--ask needs a value");
    EXPECT_EQ(refusal({"--show"}), "--show needs a value");
    EXPECT_EQ(refusal({"--show", " "}), "--show needs a value");
    EXPECT_EQ(refusal({"--ask", "hi", "--to"}), "--to needs a value");
    EXPECT_EQ(refusal({"--ask", ""}), "The prompt is empty");
    EXPECT_EQ(refusal({"--ask= \n "}), "The prompt is empty");
    EXPECT_EQ(refusal({"--to", "a"}), "--to goes only with --ask");
    EXPECT_EQ(refusal({"--show", "a", "--to", "b"}), "--to goes only with --ask");
    EXPECT_EQ(refusal({"--ask", "hi", "--to", " , "}), "--to names no service");
    EXPECT_EQ(refusal({"--ask", "hi", "--to", "a", "--to", "b"}), "--to is given more than once");
    EXPECT_EQ(refusal({"--toggle", "--toggle"}), "--toggle is given more than once");
    EXPECT_EQ(refusal({"--ask", "a", "--ask", "b"}), "--ask is given more than once");
    EXPECT_EQ(refusal({"--toggle", "--show", "a"}),
              "Give only one of --toggle, --ask, --show and --help (--show is one too many)");
    EXPECT_EQ(refusal({"--ask", "a", "--toggle"}),
              "Give only one of --toggle, --ask, --show and --help (--toggle is one too many)");
    EXPECT_EQ(refusal({"--show", "a", "--help"}),
              "Give only one of --toggle, --ask, --show and --help (--help is one too many)");
}

TEST(CommandLineTest, FaultsAreToldInTheInterfaceLanguage) {
    EXPECT_EQ(refusal({"--bogus"}, AppLanguage::zhTW), "未知的選項：--bogus");
    EXPECT_EQ(refusal({"--ask", " "}, AppLanguage::zhCN), "提问内容是空的");
    EXPECT_NE(commandLineHelp(AppLanguage::zhTW), commandLineHelp(AppLanguage::en));
}

TEST(CommandLineTest, TheHelpNamesEveryOptionAndHowAskedServicesArePrinted) {
    const auto help = commandLineHelp(AppLanguage::en);
    for (const char* option : {"--toggle", "--ask TEXT", "--ask -", "--to ID[,ID...]", "--show ID", "--help"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_NE(help.find("one per line"), std::string::npos);
}

TEST(CommandLineTest, ChosenServicesComeInTabBarOrderOnceEach) {
    const auto visible = tabs({"a", "b", "c", "d"});
    EXPECT_EQ(idsOf(chosenServices({"d", "b", "d"}, visible)), (std::vector<std::string>{"b", "d"}));
    const auto one = chosenService("c", visible);
    ASSERT_TRUE(std::holds_alternative<AITab>(one));
    EXPECT_EQ(std::get<AITab>(one).id, "c");
}

TEST(CommandLineTest, UnknownServicesAreNamedWithTheServicesThereAre) {
    const auto visible = tabs({"a", "b"});
    const auto chosen = chosenServices({"x", "a", "y", "x"}, visible);
    ASSERT_TRUE(std::holds_alternative<CommandLineError>(chosen));
    EXPECT_EQ(std::get<CommandLineError>(chosen).message(AppLanguage::en),
              "Unknown service: x, y\nThe services there are: a, b");
    const auto one = chosenService("A", visible);
    ASSERT_TRUE(std::holds_alternative<CommandLineError>(one));
    EXPECT_EQ(std::get<CommandLineError>(one).message(AppLanguage::zhTW), "未知的服務：A\n現有的服務：a, b");
}

}  // namespace
