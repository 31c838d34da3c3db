// platform: the system's failure texts reach the user as whole sentences,
// with every placeholder of the message tables filled in or resolved.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/system_text.h"

namespace orvenda::platform {
namespace {

TEST(SystemText, EveryPlaceholderIsFilledInOrResolved) {
    // Text as the system's message table holds it, the name, what the user reads.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"%1 is not a valid Win32 application.\r\n", "C:\\windows\\system32\\cmd.exe",
         "C:\\windows\\system32\\cmd.exe is not a valid Win32 application."},
        {"The procedure entry point %1 could not be located in the dynamic link library %2.", "a.exe",
         "The procedure entry point a.exe could not be located in the dynamic link library (unknown)."},
        {"Access is denied.\r\n", "a.exe", "Access is denied."},
        {"%1!s! takes 100%% of %11!d!.%0 and no more", "a", "a takes 100% of (unknown)."},
        {"One%ntwo%tthree%rfour%. %!", "", "One two threefour. !"},
        {"%1 is missing.", "", "(unknown) is missing."},
        {"Ends in %n%", "a", "Ends in"},
    };
    for (const auto& [text, name, whole] : cases) EXPECT_EQ(withInserts(text, name), whole) << text;
}

}  // namespace
}  // namespace orvenda::platform
