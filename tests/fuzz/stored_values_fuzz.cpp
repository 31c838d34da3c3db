// Fuzz target: whatever text a store holds, reading it as any of the text
// forms gives a value or the key's default, never a crash, and a value that
// converts survives being written back and read again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "support/memory_store.h"

using namespace orvenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    testing::MemoryStore store;
    store.seed("MainLeft", text);
    store.seed("TLS_NO_TICKBOX", text);
    store.seed("OUTPUT_WINDOW_VISIBLE", text);
    store.seed("INSTALL_FOLDER_TEXTBOX", text);
    settings::Settings s(store);

    const float left = s.read(settings::keys::Main.left);
    if (auto parsed = settings::parseNumber(text)) {
        if (left != *parsed) __builtin_trap();
    } else if (left != settings::keys::Main.left.fallback) {
        __builtin_trap();
    }
    s.write(settings::keys::Main.left, left);
    if (s.read(settings::keys::Main.left) != left) __builtin_trap();

    const auto tick = s.read(settings::keys::TLS_NO_TICKBOX);
    if (tick != 0 && tick != 1) __builtin_trap();
    (void)s.read(settings::keys::OUTPUT_WINDOW_VISIBLE);
    if (s.read(settings::keys::INSTALL_FOLDER_TEXTBOX) != text) __builtin_trap();
    return 0;
}
