// Test support: a settings store in memory that records every write.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/store.h"

namespace orvenda::testing {

struct MemoryStore : settings::Store {
    struct Write {
        std::string key, value;
        bool operator==(const Write&) const = default;
    };
    std::map<std::string, std::string> values;  // under "app\section\key"
    std::vector<Write> writes;

    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        auto it = values.find(app + "\\" + section + "\\" + key);
        return it == values.end() ? fallback : it->second;
    }
    void write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override {
        values[app + "\\" + section + "\\" + key] = value;
        writes.push_back({key, value});
    }
    // Seeds a value under ORVENDA\Settings without recording it as a write.
    void seed(const std::string& key, const std::string& value) { values["ORVENDA\\Settings\\" + key] = value; }
};

}  // namespace orvenda::testing
