// settings/win32: the store in the current user's registry, as REG_SZ values
// under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// the branch where classic Windows programs keep per-user settings.
#include <windows.h>

#include <map>

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
    ~RegistryStore() override { closeAll(); }

    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        const std::wstring path = keyPath(app, section);
        HKEY hkey = nullptr;
        if (auto kept = open_.find(path); kept != open_.end()) hkey = kept->second;
        else if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &hkey) != ERROR_SUCCESS)
            hkey = nullptr;
        // While keys are kept, a section that does not exist is not looked
        // for again until something is written.
        if (holders_ > 0) open_[path] = hkey;
        if (!hkey) return fallback;
        const std::wstring name = wide(key);
        std::string result = fallback;
        // Most values fit the first buffer. Another running copy may write a
        // longer value between two reads: grow the buffer and read again.
        std::wstring value(128, L'\0');
        for (;;) {
            DWORD type, size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
            const LSTATUS status =
                RegQueryValueExW(hkey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
            if (status == ERROR_MORE_DATA) {
                value.assign(size / sizeof(wchar_t) + 1, L'\0');
                continue;
            }
            if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
                value.resize(size / sizeof(wchar_t));
                while (!value.empty() && value.back() == L'\0') value.pop_back();
                result = narrow(value);
            }
            break;
        }
        if (holders_ == 0) RegCloseKey(hkey);
        return result;
    }

    void write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override {
        const std::wstring path = keyPath(app, section);
        // A section kept as missing may exist from now on.
        if (auto kept = open_.find(path); kept != open_.end() && !kept->second) open_.erase(kept);
        HKEY hkey;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey,
                            nullptr) != ERROR_SUCCESS)
            return;
        const std::wstring text = wide(value);
        RegSetValueExW(hkey, wide(key).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(hkey);
    }

    std::shared_ptr<void> keepOpen() override {
        ++holders_;
        return std::shared_ptr<void>(this, [](RegistryStore* self) {
            if (--self->holders_ == 0) self->closeAll();
        });
    }

private:
    void closeAll() {
        for (auto& [_, hkey] : open_)
            if (hkey) RegCloseKey(hkey);
        open_.clear();
    }
    int holders_ = 0;
    std::map<std::wstring, HKEY> open_;  // while held; nullptr for a section not there
};

}  // namespace

std::unique_ptr<Store> openUserStore() { return std::make_unique<RegistryStore>(); }

}  // namespace orvenda::settings
