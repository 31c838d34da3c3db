// Fuzz target: whatever text a store holds, reading it as any of the text
// forms gives a value or the key's default, never a crash; a number is
// written without an exponent, and writing what was read back is stable.
#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "support/memory_store.h"

using namespace orvenda::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvenda::testing::MemoryStore store;
    for (const char* key : {"MainLeft", "TLS_NO_TICKBOX", "OUTPUT_WINDOW_VISIBLE", "INSTALL_FOLDER_TEXTBOX"})
        store.seed(key, text);
    Settings s(store);
    const float left = s.read(keys::Main.left);
    if (left != parseNumber(text).value_or(keys::Main.left.fallback)) __builtin_trap();
    s.write(keys::Main.left, left);
    const std::string written = store.writes.back().value;
    if (written.find_first_of("eE") != std::string::npos || numberText(s.read(keys::Main.left)) != written) __builtin_trap();
    const auto tick = s.read(keys::TLS_NO_TICKBOX);
    if ((tick != 0 && tick != 1) || s.read(keys::INSTALL_FOLDER_TEXTBOX) != text) __builtin_trap();
    (void)s.read(keys::OUTPUT_WINDOW_VISIBLE);
    return 0;
}
