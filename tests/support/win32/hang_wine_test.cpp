// A test that hangs on purpose, holding the program it started: selected
// only by hang_limit.sh beside it, which shows that the Wine run's time limit
// ends both.
#include <gtest/gtest.h>

#include "support/win32/driver.h"

namespace orvenda::testing::win32 {
namespace {

TEST(WineRunLimit, DISABLED_HangsHoldingTheProgram) {
    Program program;
    ASSERT_TRUE(program.waitWindow("ORVENDA_MAIN", 30000));
    for (;;) Sleep(1000);
}

}  // namespace
}  // namespace orvenda::testing::win32
