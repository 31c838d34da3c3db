// Two processes writing the registry store at once: each writes 1,000 keys
// interleaved with the other's and both write one shared key; no key is
// lost and the shared key holds one of the two last writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/store.h"

namespace orvenda {
namespace {

constexpr int kKeys = 1000;
const char* const kApp = "ORVENDA-concurrency";

// Run only as a child of the test below.
TEST(RegistryConcurrency, DISABLED_Writer) {
    char who[32] = {};
    ASSERT_GT(GetEnvironmentVariableA("ORVENDA_WRITER", who, sizeof who), 0u);
    auto store = settings::openUserStore();
    for (int i = 0; i < kKeys; ++i) {
        store->write(kApp, "Settings", std::string(who) + std::to_string(i), who);
        store->write(kApp, "Settings", "last", std::string(who) + " " + std::to_string(i));
    }
}

HANDLE startWriter(const char* who) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) +
                        L"\" --gtest_also_run_disabled_tests"
                        L" --gtest_filter=RegistryConcurrency.DISABLED_Writer";
    SetEnvironmentVariableA("ORVENDA_WRITER", who);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;  // the children print nothing of interest
    PROCESS_INFORMATION pi{};
    BOOL ok = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("ORVENDA_WRITER", nullptr);
    if (!ok) return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

TEST(RegistryConcurrency, TwoProcessesWritingInterleavedKeysLoseNone) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\ORVENDA-concurrency");
    HANDLE writers[] = {startWriter("one"), startWriter("two")};
    ASSERT_NE(writers[0], nullptr);
    ASSERT_NE(writers[1], nullptr);
    ASSERT_EQ(WaitForMultipleObjects(2, writers, TRUE, 120000), WAIT_OBJECT_0);
    for (HANDLE h : writers) {
        DWORD code = 1;
        GetExitCodeProcess(h, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(h);
    }
    auto store = settings::openUserStore();
    int lost = 0;
    for (const char* who : {"one", "two"})
        for (int i = 0; i < kKeys; ++i)
            lost += store->read(kApp, "Settings", who + std::to_string(i), "") != who;
    EXPECT_EQ(lost, 0);
    const std::string last = store->read(kApp, "Settings", "last", "");
    EXPECT_TRUE(last == "one 999" || last == "two 999") << last;
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\ORVENDA-concurrency");
}

}  // namespace
}  // namespace orvenda
