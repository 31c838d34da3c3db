// The command-line builder (text -> what stands in the line) and the Windows
// argument rules that the program's name is read by.
#include <gtest/gtest.h>

#include "send/command_line.h"

namespace orvenda {
namespace {

using send::CommandLineBuilder;

TEST(CommandLineBuilder, EachTextStandsInTheLineSoThatBothReadersGiveItBack) {
    const std::pair<const char*, const char*> quoted[] = {
        {"Weekly report", R"("Weekly report")"}, {"", R"("")"}, {"50% off, x=y!", R"("50% off, x=y!")"},
        {"say \"hi\"", R"("say \"hi\"")"},       {"a\\b", R"("a\b")"},   {"a\\", R"("a\\")"},
        {"a\\\\\"b", R"("a\\\\\"b")"},           {"a & b | c < d > e ^ (f)", R"x("a & b | c < d > e ^ (f)")x"},
        // After \" the interpreter's quoting is off: operators get a caret,
        // a caret goes back inside quotes, a second \" turns quoting on.
        {"a\">b|c<d", R"("a\"^>b^|c^<d")"},      {"a\"^b", R"("a\""^"b")"}, {"a\"\\^", R"("a\"\\"^"")"},
        {"\"&\"&", R"("\"^&\"&")"},              {"a\"\\&", R"("a\"\^&")"},              {"a\"(b)", R"x("a\"(b)")x"}};
    for (auto [text, line] : quoted) EXPECT_EQ(CommandLineBuilder("\"").quoted(text).take(), line) << text;
    const std::pair<const char*, const char*> bare[] = {
        {"alice@example.org", "alice@example.org"}, {"", ""}, {"p w", R"("p w")"}, {"x\"y", R"("x\"y")"},
        {"(x)", R"x("(x)")x"}, {"tab\there", "\"tab\there\""}};
    for (auto [text, line] : bare) EXPECT_EQ(CommandLineBuilder("\"").bare(text).take(), line) << text;
}

TEST(CommandLineSplit, WindowsArgumentRules) {
    using Args = std::vector<std::string>;
    const std::pair<const char*, Args> cases[] = {
        {R"("abc" d e)", {"abc", "d", "e"}},          {R"(p a\\\b d"e f"g h)", {"p", "a\\\\\\b", "de fg", "h"}},
        {R"(p a\\\"b c d)", {"p", "a\\\"b", "c", "d"}}, {R"(p a\\\\"b c" d e)", {"p", "a\\\\b c", "d", "e"}},
        {R"(p "a""b" "")", {"p", "a\"b", ""}},         {R"(p "a"")", {"p", "a\""}}, {"p\t x  ", {"p", "x"}},
        {R"("C:\Program Files\x\"y)", {"C:\\Program Files\\x\\y"}}, {"", {""}}};
    for (const auto& [line, args] : cases) EXPECT_EQ(send::splitArguments(line), args) << line;
}

}  // namespace
}  // namespace orvenda
