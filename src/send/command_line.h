// send: building command lines that the command interpreter hands to the
// sender unchanged, and splitting them the way the platform does.
//
// Pure text functions, no platform calls. A line is built for two readers at
// once: the interpreter ("cmd.exe /k" or "/c" with the line in quotes), which
// treats every double quote as a toggle and acts on & | < > outside its
// quotes, and then the sender's start-up code, which splits the line into
// arguments by the standard Windows rules (backslash escapes before quotes).
// The builder tracks both readings so that every field text arrives as
// exactly one argument, unchanged, and the interpreter runs nothing but the
// sender. Texts holding only ordinary characters come out exactly as they
// were typed between the quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvenda::send {

class CommandLineBuilder {
public:
    // `quote` is the quote text that opens and closes a quoted value (a
    // single double quote in this program).
    explicit CommandLineBuilder(std::string_view quote);

    // A fixed piece of the line (an option with its spaces), as it stands.
    CommandLineBuilder& fixed(std::string_view text);
    // A value in quotes: quote, the value escaped as needed, quote.
    CommandLineBuilder& quoted(std::string_view value);
    // A value written without quotes when it holds only ordinary characters,
    // and quoted as above when it holds a space, a tab, a double quote or an
    // interpreter metacharacter.
    CommandLineBuilder& bare(std::string_view value);

    std::string take() { return std::move(line_); }

private:
    void put(char c);
    void putQuote();
    void putValueChar(char c);
    void flushBackslashes(bool beforeQuote);

    std::string quote_;
    std::string line_;
    bool shellQuoted_ = false;  // inside the interpreter's own quotes
    int pendingBackslashes_ = 0;
};

// True for the characters that the interpreter acts on outside its quotes.
bool isInterpreterMetacharacter(char c);

// Splits a command line into arguments by the standard Windows rules: the
// first word (the program) ends at the next quote if it starts with one and
// at white space otherwise; in the others, 2n backslashes before a quote give
// n backslashes and the quote opens or closes a quoted part, 2n+1 give n
// backslashes and a literal quote, and "" inside a quoted part is a literal
// quote.
std::vector<std::string> splitArguments(std::string_view line);

}  // namespace orvenda::send
