// send: the TLS mode the sender is given, chosen with three tickboxes "no",
// "yes" and "auto" that act as one choice. A plain value: the compose window
// keeps one, hands each click to it and shows what it says. Knows no window.
//
// "no" has to be cleared before "yes" or "auto" can be ticked; a ticked
// "yes" or "auto" greys out the other boxes, and clearing it goes straight
// back to "no".
#pragma once

#include <array>
#include <string_view>

namespace orvenda::send {

// The modes, each with its own box, in the order the boxes stand.
enum class Tls { No, Yes, Auto };
inline constexpr std::array<Tls, 3> kTlsModes{Tls::No, Tls::Yes, Tls::Auto};

// What one box shows.
struct TlsBox {
    bool ticked, enabled;
    bool operator==(const TlsBox&) const = default;
};

struct TlsChoice {
    Tls mode = Tls::No;
    // Mode no with "no" cleared: every box clear and usable, the choice open.
    bool noCleared = false;
    bool operator==(const TlsChoice&) const = default;
};

// A click on a box; one that is greyed out takes none.
TlsChoice clicked(TlsChoice state, Tls box);
TlsBox shows(TlsChoice state, Tls box);
// The state whose ticks the stored ones are, or mode no for ticks that no
// state shows (edited by hand, or written by two copies closing at once).
using TlsTicks = std::array<bool, kTlsModes.size()>;
TlsChoice fromStoredTicks(const TlsTicks& ticked);
// "no", "yes" or "auto": what the sender's line carries.
std::string_view text(Tls mode);

}  // namespace orvenda::send
