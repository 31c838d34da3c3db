// Fuzz target: the sender's command line. Whatever the field texts, the
// interpreter finds nothing to act on outside its own quoting, and splitting
// what it hands on by the Windows argument rules gives back every field text
// as one argument, unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "send/command_line.h"

using namespace orvenda::send;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Up to four field texts, separated by NUL bytes. Control characters never
    // reach a line (SEND refuses them), and the first, the install folder,
    // holds no quote (a Windows path cannot, and the program's name is read
    // without escapes).
    std::vector<std::string> v(4);
    for (std::size_t i = 0, f = 0; i < size && f < v.size(); ++i)
        if (data[i] == 0) ++f;
        else if (data[i] >= 0x20 && data[i] != 0x7F && !(f == 0 && data[i] == '"')) v[f] += char(data[i]);
    CommandLineBuilder line("\"");
    line.quoted(v[0] + "\\SendEmail.exe").fixed(" -u ").quoted(v[1]);
    line.fixed(" -o message-file=").quoted(v[0] + "\\SE-EMAIL.txt").fixed(" -o reply-to=").bare(v[2]);
    line.fixed(" -xp ").quoted(v[3]).fixed(" -o password=").bare(v[3]).fixed(" -q  -v ");

    // The Windows interpreter's reading (the outer quotes of "/c" taken off):
    // every quote toggles its quoting; outside it a caret takes the next
    // character literally and is dropped, and & | < > would end the command.
    std::string handedOn;
    bool quoted = false;
    for (std::size_t i = 0; i < line.text().size(); ++i) {
        const char c = line.text()[i];
        quoted ^= c == '"';
        if (!quoted && c == '^') {
            if (++i < line.text().size()) handedOn += line.text()[i];
        } else if (!quoted && std::string_view("&|<>").find(c) != std::string_view::npos) {
            __builtin_trap();
        } else {
            handedOn += c;
        }
    }
    const std::vector<std::string> expected = {
        v[0] + "\\SendEmail.exe", "-u", v[1], "-o", "message-file=" + v[0] + "\\SE-EMAIL.txt",
        "-o", "reply-to=" + v[2], "-xp", v[3], "-o", "password=" + v[3], "-q", "-v"};
    if (splitArguments(handedOn) != expected) __builtin_trap();
    return 0;
}
