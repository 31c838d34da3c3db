// The registry store under Wine: the shared store behaviour, plus where the
// values land and in what form.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/store_contract.h"
#include "ui/win32/text.h"

namespace orvenda {
namespace {

const wchar_t* const kBranch = L"Software\\VB and VBA Program Settings";

class RegistryStoreContract : public testing::StoreContract {
protected:
    RegistryStoreContract() { app = "ORVENDA-contract-" + std::to_string(GetCurrentProcessId()); }
    ~RegistryStoreContract() override {
        HKEY branch;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kBranch, 0, KEY_ALL_ACCESS, &branch) == ERROR_SUCCESS) {
            RegDeleteTreeW(branch, ui::win32::wide(app).c_str());
            RegDeleteKeyW(branch, ui::win32::wide(app).c_str());
            RegCloseKey(branch);
        }
    }
    std::unique_ptr<settings::Store> open() override { return settings::openUserStore(); }
};

ORVENDA_STORE_CONTRACT_TESTS(RegistryStoreContract)

TEST_F(RegistryStoreContract, ValuesAreRegSzUnderTheClassicProgramSettingsBranch) {
    open()->write(app, "Settings", "SMTP_PASSWORD_TEXTBOX", "caf\xC3\xA9");
    std::wstring path = std::wstring(kBranch) + L"\\" + ui::win32::wide(app) + L"\\Settings";
    wchar_t buffer[64] = {};
    DWORD type = 0, size = sizeof buffer;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"SMTP_PASSWORD_TEXTBOX", RRF_RT_ANY,
                           &type, buffer, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(buffer, L"caf\u00e9");
}

TEST_F(RegistryStoreContract, ValuesWrittenByOtherProgramsAreRead) {
    std::wstring path = std::wstring(kBranch) + L"\\" + ui::win32::wide(app) + L"\\Settings";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t value[] = L"D:\\Tools\\Mailer";
    RegSetValueExW(key, L"INSTALL_FOLDER_TEXTBOX", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   sizeof value);
    RegCloseKey(key);
    EXPECT_EQ(open()->read(app, "Settings", "INSTALL_FOLDER_TEXTBOX", ""), "D:\\Tools\\Mailer");
}

}  // namespace
}  // namespace orvenda
