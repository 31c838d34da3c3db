// The store in the registry under Wine: where and in what form the values
// land, and a read that races another copy's longer write.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "settings/store.h"

namespace orvenda {
namespace {

struct RegistryStore : ::testing::Test {
    const std::string app = "ORVENDA-test-" + std::to_string(GetCurrentProcessId());
    const std::wstring path = L"Software\\VB and VBA Program Settings\\" + std::wstring(app.begin(), app.end());
    std::unique_ptr<settings::Store> store = settings::openUserStore();
    ~RegistryStore() override { RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
};

TEST_F(RegistryStore, ValuesAreRegSzUnderTheProgramSettingsBranchBothWays) {
    store->write(app, "Settings", "SMTP_PASSWORD_TEXTBOX", "caf\xC3\xA9");
    wchar_t buffer[64] = {};
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (path + L"\\Settings").c_str(), L"SMTP_PASSWORD_TEXTBOX", RRF_RT_REG_SZ,
                           nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"caf\u00e9");
    RegSetKeyValueW(HKEY_CURRENT_USER, (path + L"\\Settings").c_str(), L"INSTALL_FOLDER_TEXTBOX", REG_SZ, L"D:\\Tools",
                    sizeof L"D:\\Tools");
    EXPECT_EQ(store->read(app, "Settings", "INSTALL_FOLDER_TEXTBOX", "default"), "D:\\Tools");
    EXPECT_EQ(store->read(app, "Settings", "missing", "default"), "default");
}

TEST_F(RegistryStore, AReadRacingALongerWriteNeverGivesTheDefault) {
    const std::string shortText = "x", longText(4000, 'y');
    std::atomic<bool> done{false};
    store->write(app, "Settings", "key", shortText);
    std::thread writer([&] {
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
}

}  // namespace
}  // namespace orvenda
