// send: the command-line builder, and the argument rules the program's name
// is read by.
#include "send/command_line.h"

namespace orvenda::send {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The interpreter's operators: outside its quotes each needs a caret.
bool isOperator(char c) { return c == '&' || c == '|' || c == '<' || c == '>'; }

}  // namespace

bool isInterpreterMetacharacter(char c) {
    return isOperator(c) || c == '^' || c == '(' || c == ')';
}

CommandLineBuilder::CommandLineBuilder(std::string_view quote) : quote_(quote) {}

void CommandLineBuilder::put(char c) {
    if (c == '"') shellQuoted_ = !shellQuoted_;
    line_ += c;
}

void CommandLineBuilder::putQuote() {
    for (char c : quote_) put(c);
}

void CommandLineBuilder::flushBackslashes(bool beforeQuote) {
    // Backslashes count double only where a quote follows them.
    line_.append(static_cast<std::size_t>(pendingBackslashes_) * (beforeQuote ? 2 : 1), '\\');
    pendingBackslashes_ = 0;
}

void CommandLineBuilder::putValueChar(char c) {
    if (c == '\\') {
        ++pendingBackslashes_;
    } else if (c == '"') {
        flushBackslashes(true);
        line_ += '\\';
        put('"');
    } else if (c == '^' && !shellQuoted_) {
        // Interpreters differ on carets before a caret, so the caret is
        // put inside the interpreter's quotes instead: the value's quoted
        // part is closed just before it and opened again just after it.
        flushBackslashes(true);
        put('"');
        put('^');
        put('"');
    } else if (isOperator(c) && !shellQuoted_) {
        flushBackslashes(false);
        line_ += '^';
        put(c);
    } else {
        flushBackslashes(false);
        put(c);
    }
}

CommandLineBuilder& CommandLineBuilder::fixed(std::string_view text) {
    for (char c : text) put(c);
    return *this;
}

CommandLineBuilder& CommandLineBuilder::quoted(std::string_view value) {
    putQuote();
    for (char c : value) putValueChar(c);
    flushBackslashes(true);
    putQuote();
    return *this;
}

CommandLineBuilder& CommandLineBuilder::bare(std::string_view value) {
    for (char c : value) {
        if (isBlank(c) || c == '"' || isInterpreterMetacharacter(c)) return quoted(value);
    }
    return fixed(value);
}

std::vector<std::string> splitArguments(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();

    // The program: quotes toggle, backslashes are plain characters.
    std::string program;
    bool inQuotes = false;
    while (i < n && (inQuotes || !isBlank(line[i]))) {
        if (line[i] == '"')
            inQuotes = !inQuotes;
        else
            program += line[i];
        ++i;
    }
    args.push_back(std::move(program));

    for (;;) {
        while (i < n && isBlank(line[i])) ++i;
        if (i >= n) break;
        std::string arg;
        inQuotes = false;
        while (i < n && (inQuotes || !isBlank(line[i]))) {
            const char c = line[i];
            if (c == '\\') {
                std::size_t run = 0;
                while (i < n && line[i] == '\\') ++run, ++i;
                if (i < n && line[i] == '"') {
                    arg.append(run / 2, '\\');
                    if (run % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(run, '\\');
                }
            } else if (c == '"') {
                if (inQuotes && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    inQuotes = !inQuotes;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace orvenda::send
