// The system's reason in failure messages under Wine: its own sentence
// without the line break, and the number where the system has no text.
#include "platform/win32/system_error.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(SystemReasonWine, TheSystemsSentenceWithoutItsLineBreakOrTheNumberWhereItHasNone) {
    for (unsigned long code : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        const std::string reason = orvenda::platform::win32::systemReason(code);
        EXPECT_TRUE(reason.size() > 2 && !reason.starts_with("System error") && reason.find_first_of("\r\n ", reason.size() - 1) == std::string::npos)
            << code << ": \"" << reason << "\"";
    }
    EXPECT_EQ(orvenda::platform::win32::systemReason(0x20001234), "System error 536875572.");
}
