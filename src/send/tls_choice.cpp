// send: the TLS choice's states and clicks.
#include "send/tls_choice.h"

namespace orvenda::send {

TlsBox shows(TlsChoice state, Tls box) {
    if (state.noCleared) return {false, true};
    const bool own = box == state.mode;
    return {own, own};
}

TlsChoice clicked(TlsChoice state, Tls box) {
    if (!shows(state, box).enabled) return state;
    if (box == Tls::No) return {Tls::No, !state.noCleared};
    if (state.noCleared) return {box, false};
    return {};
}

namespace {

// Whether the boxes show exactly these ticks in that state.
bool showsTicks(TlsChoice state, const TlsTicks& ticked) {
    for (Tls mode : kTlsModes)
        if (shows(state, mode).ticked != ticked[static_cast<int>(mode)]) return false;
    return true;
}

}  // namespace

TlsChoice fromStoredTicks(const TlsTicks& ticked) {
    if (const TlsChoice open{Tls::No, true}; showsTicks(open, ticked)) return open;
    for (Tls mode : kTlsModes)
        if (showsTicks({mode}, ticked)) return {mode};
    return {};
}

std::string_view text(Tls mode) {
    switch (mode) {
    case Tls::Yes: return "yes";
    case Tls::Auto: return "auto";
    case Tls::No: break;
    }
    return "no";
}

}  // namespace orvenda::send
