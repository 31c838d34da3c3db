// The store in the registry under Wine: where and in what form the values
// land, a read that races another running copy's longer write, and no key
// left open.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "settings/store.h"
#include "support/win32/driver.h"

namespace orvenda {
namespace {

struct RegistryStore : ::testing::Test {
    const std::string app = "ORVENDA";
    std::unique_ptr<settings::Store> store = settings::openUserStore();
    RegistryStore() { testing::win32::clearSettings(); }
    ~RegistryStore() override { testing::win32::clearSettings(); }
};

TEST_F(RegistryStore, ValuesAreRegSzUnderTheProgramSettingsBranchAndAReadRacingALongerWriteGetsOneOfThem) {
    const std::string shortText = "caf\xC3\xA9", longText(4000, 'y');
    store->write(app, "Settings", "key", shortText);
    EXPECT_EQ(testing::win32::readSetting("key"), shortText);  // a REG_SZ under the program's branch
    // Kept on disk, for the next session: a volatile key would refuse a lasting key under it.
    HKEY lasting = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(testing::win32::kSettingsKey) + L"\\lasting").c_str(), 0,
                              nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &lasting, nullptr), ERROR_SUCCESS);
    RegCloseKey(lasting);
    std::atomic<bool> done{false};
    std::thread writer([&] {  // another running copy
        for (int i = 0; !done; ++i) settings::openUserStore()->write(app, "Settings", "key", i % 2 ? longText : shortText);
    });
    int wrong = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string value = store->read(app, "Settings", "key", "default");
        wrong += value != shortText && value != longText;
    }
    done = true;
    writer.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(store->read(app, "Settings", "missing", "default"), "default");
    // Reads and writes leave no key open: a handle made after them takes the
    // slot freed before.
    const HANDLE before = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(before);
    store->write(app, "Settings", "key", store->read(app, "Settings", "key", "default"));
    const HANDLE after = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    EXPECT_TRUE(after == before && CloseHandle(after));
}

}  // namespace
}  // namespace orvenda
