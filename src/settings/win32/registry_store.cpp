// settings/win32: the store in the current user's registry, as REG_SZ values
// under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// the branch where classic Windows programs keep per-user settings.
#include <windows.h>

#include "platform/win32/text.h"
#include "settings/store.h"

namespace orvenda::settings {

namespace {

using platform::win32::narrow;
using platform::win32::wide;

std::wstring keyPath(const std::string& app, const std::string& section) {
    return L"Software\\VB and VBA Program Settings\\" + wide(app) + L"\\" + wide(section);
}

class RegistryStore : public Store {
public:
    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        HKEY hkey;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                          &hkey) != ERROR_SUCCESS)
            return fallback;
        const std::wstring name = wide(key);
        std::string result = fallback;
        // Another running copy may write a longer value between the size
        // query and the read: grow the buffer and read again.
        std::wstring value;
        DWORD type, bytes;
        LSTATUS status = RegQueryValueExW(hkey, name.c_str(), nullptr, &type, nullptr, &bytes);
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            value.assign(bytes / sizeof(wchar_t) + 1, L'\0');
            DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
            status = RegQueryValueExW(hkey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                                      &size);
            bytes = size;
            if (status != ERROR_SUCCESS) continue;
            if (type == REG_SZ || type == REG_EXPAND_SZ) {
                value.resize(size / sizeof(wchar_t));
                while (!value.empty() && value.back() == L'\0') value.pop_back();
                result = narrow(value);
            }
            break;
        }
        RegCloseKey(hkey);
        return result;
    }

    void write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override {
        HKEY hkey;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &hkey, nullptr) != ERROR_SUCCESS)
            return;
        const std::wstring text = wide(value);
        RegSetValueExW(hkey, wide(key).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(hkey);
    }
};

}  // namespace

std::unique_ptr<Store> openUserStore() { return std::make_unique<RegistryStore>(); }

}  // namespace orvenda::settings
