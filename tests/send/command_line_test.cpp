// The command-line builder, the Windows argument splitter and the model of
// the interpreter's reading, case by case and over random field texts.
#include <gtest/gtest.h>

#include <random>

#include "send/command_line.h"
#include "support/program.h"
#include "support/sender_fields.h"

namespace orvenda {
namespace {

using send::CommandLineBuilder;
using send::readAsInterpreter;
using send::splitArguments;
using testing::Args;
using testing::expectedArguments;
using Fields = testing::SenderFields;

std::string quoted(std::string_view value) { return CommandLineBuilder("\"").quoted(value).take(); }
std::string bare(std::string_view value) { return CommandLineBuilder("\"").bare(value).take(); }

TEST(CommandLineBuilder, OrdinaryTextsStandAsTyped) {
    EXPECT_EQ(quoted("Weekly report"), "\"Weekly report\"");
    EXPECT_EQ(quoted(""), "\"\"");
    EXPECT_EQ(quoted("D:\\Tools\\Mailer\\SendEmail.exe"), "\"D:\\Tools\\Mailer\\SendEmail.exe\"");
    EXPECT_EQ(quoted("50% off, a@b.c; x=y!"), "\"50% off, a@b.c; x=y!\"");
    EXPECT_EQ(bare("alice@example.org"), "alice@example.org");
    EXPECT_EQ(bare(""), "");
}

TEST(CommandLineBuilder, QuotesAndBackslashesFollowTheArgumentRules) {
    EXPECT_EQ(quoted("say \"hi\""), R"("say \"hi\"")");
    EXPECT_EQ(quoted("a\\b"), R"("a\b")");             // not before a quote: as typed
    EXPECT_EQ(quoted("a\\"), R"("a\\")");               // before the closing quote: doubled
    EXPECT_EQ(quoted("a\\\\\"b"), R"("a\\\\\"b")");     // two before a quote: four, then \"
    EXPECT_EQ(bare("p w"), "\"p w\"");
    EXPECT_EQ(bare("tab\there"), "\"tab\there\"");
    EXPECT_EQ(bare("x\"y"), R"("x\"y")");
}

TEST(CommandLineBuilder, OperatorsOutsideTheInterpretersQuotesGetACaret) {
    // Inside the interpreter's quotes nothing needs a caret.
    EXPECT_EQ(quoted("a & b | c < d > e ^ (f)"), "\"a & b | c < d > e ^ (f)\"");
    // After a \" the interpreter's quoting is off until the next quote.
    EXPECT_EQ(quoted("a\"&b"), R"("a\"^&b")");
    EXPECT_EQ(quoted("a\">b|c<d"), R"("a\"^>b^|c^<d")");
    // A caret there is put back inside the interpreter's quotes.
    EXPECT_EQ(quoted("a\"^b"), R"("a\""^"b")");
    EXPECT_EQ(quoted("a\"\\^"), R"("a\"\\"^"")");
    // A second \" turns the interpreter's quoting on again.
    EXPECT_EQ(quoted("\"&\"&"), R"("\"^&\"&")");
    // Parentheses mean nothing within a command's arguments: left alone.
    EXPECT_EQ(quoted("a\"(b)"), R"x("a\"(b)")x");
    EXPECT_EQ(bare("(x)"), "\"(x)\"");
}

TEST(CommandLineSplit, WindowsArgumentRules) {
    EXPECT_EQ(splitArguments(R"("abc" d e)"), (Args{"abc", "d", "e"}));
    EXPECT_EQ(splitArguments(R"(p a\\\b d"e f"g h)"), (Args{"p", "a\\\\\\b", "de fg", "h"}));
    EXPECT_EQ(splitArguments(R"(p a\\\"b c d)"), (Args{"p", "a\\\"b", "c", "d"}));
    EXPECT_EQ(splitArguments(R"(p a\\\\"b c" d e)"), (Args{"p", "a\\\\b c", "d", "e"}));
    EXPECT_EQ(splitArguments(R"(p "a""b" "")"), (Args{"p", "a\"b", ""}));
    EXPECT_EQ(splitArguments("p\t x  "), (Args{"p", "x"}));
    // The program's name takes backslashes as they stand.
    EXPECT_EQ(splitArguments(R"("C:\Program Files\x\"y)"), (Args{"C:\\Program Files\\x\\y"}));
    EXPECT_EQ(splitArguments(""), (Args{""}));
}

TEST(CommandLineInterpreter, CaretsAndOperators) {
    EXPECT_EQ(readAsInterpreter("a ^& b ^^ c").commandLine, "a & b ^ c");
    EXPECT_TRUE(readAsInterpreter("a ^& b").onlyOneCommand);
    EXPECT_FALSE(readAsInterpreter("a & b").onlyOneCommand);
    EXPECT_TRUE(readAsInterpreter("\"a & ^b\"").onlyOneCommand);
    EXPECT_EQ(readAsInterpreter("\"a & ^b\"").commandLine, "\"a & ^b\"");
    EXPECT_FALSE(readAsInterpreter("\"a\\\" > x\"").onlyOneCommand);
}

std::string composedLine(testing::Program& p, const Fields& f) {
    auto& w = p.main();
    testing::typeSenderFields(w, f);
    w.OUTPUT_COMMAND_TIMER_Timer();
    return w.OUTPUT_COMMAND_TEXTBOX.text();
}

// Interpreters agree on a caret only before & | < >: a line must use no
// other caret outside the interpreter's quotes.
bool caretsOnlyBeforeOperators(std::string_view line) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') inQuotes = !inQuotes;
        if (line[i] == '^' && !inQuotes) {
            if (i + 1 == line.size() || std::string_view("&|<>").find(line[i + 1]) == std::string_view::npos)
                return false;
            ++i;
        }
    }
    return true;
}

TEST(CommandLineComposer, FaultyExamplesNowArriveAsOneArgumentEach) {
    testing::Program p;
    p.start();
    Fields f{"D:\\Tools\\Mailer", "Alice <alice@example.org>", "bob", "", "", "a \" & echo x > C:\\inj.txt & b",
             "192.0.2.10:587", "alice", "p&s|w>d ^x", "no"};
    const std::string line = composedLine(p, f);
    EXPECT_EQ(line,
              R"("D:\Tools\Mailer\SendEmail.exe" -f "Alice <alice@example.org>" -t "bob" -cc "" -bcc "" )"
              R"(-u "a \" ^& echo x ^> C:\inj.txt ^& b" -o message-file="D:\Tools\Mailer\SE-EMAIL.txt" )"
              // The subject's one quote turns the interpreter's quoting around
              // for the rest of the line, so the later values carry carets.
              R"(-s "192.0.2.10:587" -xu "alice" -xp "p^&s^|w^>d "^"x" -o reply-to="Alice ^<alice@example.org^>" )"
              R"(-l "D:\Tools\Mailer\SENDEMAIL-LOG.txt" -o tls=no -o username=alice -o password="p^&s^|w^>d "^"x" -q  -v )");
    const auto reading = readAsInterpreter(line);
    EXPECT_TRUE(reading.onlyOneCommand);
    EXPECT_EQ(splitArguments(reading.commandLine), expectedArguments(f));
}

// Random texts of the characters that matter: every metacharacter, quotes,
// backslashes, blanks, letters and accented letters.
std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pool = {
        "\"", "\"", "\\", "\\", "\\\\", "&", "|", "<", ">", "^", "^", "(", ")", " ", "\t", "%", "!",
        "a", "Z", "0", "@", ".", ";", ":", ",", "=", "-", "'", "é", "Ä", "ß", "ñ", "€"};
    std::uniform_int_distribution<int> length(0, 14), pick(0, static_cast<int>(pool.size()) - 1);
    std::string text;
    for (int n = length(random); n > 0; --n) text += pool[static_cast<std::size_t>(pick(random))];
    return text;
}

TEST(CommandLineComposer, RandomFieldsReachTheSenderUnchangedThroughTheInterpreterModel) {
    testing::Program p;
    p.start();
    std::mt19937 random(20240501);
    const char* modes[] = {"no", "yes", "auto"};
    int held = 0;
    const int cases = 20000;
    for (int n = 0; n < cases; ++n) {
        Fields f;
        f.folder = "C:\\Mail & more (x)^";  // a folder may hold & ( ) ^ but no quote
        for (auto* field : {&f.from, &f.to, &f.cc, &f.bcc, &f.subject, &f.server, &f.user, &f.password})
            *field = randomText(random);
        f.tls = modes[n % 3];
        const std::string line = composedLine(p, f);
        const auto reading = readAsInterpreter(line);
        const bool ok = reading.onlyOneCommand && caretsOnlyBeforeOperators(line) &&
                        splitArguments(reading.commandLine) == expectedArguments(f);
        if (ok) ++held;
        else if (cases - held <= 3) ADD_FAILURE() << "line: " << line;
    }
    EXPECT_EQ(held, cases);
}

}  // namespace
}  // namespace orvenda
