// Fuzz target: the sender's command line. Whatever the field texts, the
// interpreter finds nothing to act on outside its own quoting, and splitting
// what it hands on by the Windows argument rules gives back every field text
// as one argument, unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "send/command_line.h"

using namespace orvenda::send;

namespace {

// What the Windows command interpreter does with the line it runs (the outer
// quotes of "/c" taken off): every double quote toggles its quoting; outside
// quotes a caret takes the next character literally and is dropped, and an
// unescaped & | < > would end the command.
struct InterpreterReading {
    std::string commandLine;
    bool onlyOneCommand = true;
};
InterpreterReading readAsInterpreter(std::string_view line) {
    InterpreterReading reading;
    bool inQuotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') inQuotes = !inQuotes;
        if (c == '^' && !inQuotes) {
            if (i + 1 < line.size()) reading.commandLine += line[++i];
            continue;
        }
        if (!inQuotes && (c == '&' || c == '|' || c == '<' || c == '>')) reading.onlyOneCommand = false;
        reading.commandLine += c;
    }
    return reading;
}

// Up to four field texts, separated by NUL bytes in the input. Control
// characters never reach a line: SEND refuses them before building it. The
// first is the install folder, which names the program: a Windows path holds
// no double quote, and the program's name is read without escapes.
std::vector<std::string> fieldsOf(std::string_view data) {
    std::vector<std::string> fields(4);
    std::size_t f = 0;
    for (unsigned char c : data) {
        if (c == 0) {
            if (++f == fields.size()) break;
        } else if (c >= 0x20 && c != 0x7F && !(f == 0 && c == '"')) {
            fields[f] += static_cast<char>(c);
        }
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto v = fieldsOf(std::string_view(reinterpret_cast<const char*>(data), size));
    CommandLineBuilder line("\"");
    line.quoted(v[0] + "\\SendEmail.exe");
    line.fixed(" -u ").quoted(v[1]);
    line.fixed(" -o message-file=").quoted(v[0] + "\\SE-EMAIL.txt");
    line.fixed(" -o reply-to=").bare(v[2]);
    line.fixed(" -xp ").quoted(v[3]);
    line.fixed(" -o password=").bare(v[3]);
    line.fixed(" -q  -v ");

    const InterpreterReading reading = readAsInterpreter(line.text());
    if (!reading.onlyOneCommand) __builtin_trap();
    const std::vector<std::string> expected = {
        v[0] + "\\SendEmail.exe", "-u", v[1], "-o", "message-file=" + v[0] + "\\SE-EMAIL.txt",
        "-o", "reply-to=" + v[2], "-xp", v[3], "-o", "password=" + v[3], "-q", "-v"};
    if (splitArguments(reading.commandLine) != expected) __builtin_trap();
    return 0;
}
