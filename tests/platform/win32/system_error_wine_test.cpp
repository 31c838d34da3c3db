// The system's reason in failure messages under Wine: its own sentence
// without the line break, and the number where the system has no text.
#include "platform/win32/system_error.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace orvenda {
namespace {

TEST(SystemReasonWine, TheSystemsSentenceWithoutItsLineBreakOrTheNumberWhereItHasNone) {
    for (unsigned long code : {ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND, ERROR_SHARING_VIOLATION}) {
        const std::string reason = platform::win32::systemReason(code);
        EXPECT_TRUE(reason.size() > 2 && reason.rfind("System error", 0) == std::string::npos &&
                    reason.find_first_of("\r\n") == std::string::npos && reason.back() != ' ')
            << code << ": \"" << reason << "\"";
    }
    EXPECT_EQ(platform::win32::systemReason(0x20001234), "System error 536875572.");
}

}  // namespace
}  // namespace orvenda
