// platform: filling in the placeholders of the system's message texts.
// Platform free.
#include "platform/system_text.h"

namespace orvenda::platform {

std::string withInserts(std::string_view text, std::string_view first) {
    std::string whole;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            whole += text[i];
            continue;
        }
        if (++i == text.size()) break;
        const char c = text[i];
        if (c == '0') break;
        if (c >= '1' && c <= '9') {
            int number = c - '0';
            if (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') number = number * 10 + (text[++i] - '0');
            if (i + 1 < text.size() && text[i + 1] == '!') {
                const std::size_t end = text.find('!', i + 2);
                if (end != std::string_view::npos) i = end;
            }
            whole += number == 1 && !first.empty() ? first : std::string_view("(unknown)");
        } else if (c == 'n' || c == 't') {
            whole += ' ';
        } else if (c != 'r') {
            whole += c;
        }
    }
    while (!whole.empty() && (whole.back() == '\r' || whole.back() == '\n' || whole.back() == ' ')) whole.pop_back();
    return whole;
}

}  // namespace orvenda::platform
