// settings: the per-user store of named text values.
//
// Two operations only, as every window uses them: read with a default, and
// write. Values are texts of any length; each reader converts. The Windows
// build keeps them in the registry (openUserStore()); native tests use a
// store in memory.
#pragma once

#include <memory>
#include <string>

namespace orvenda::settings {

class Store {
public:
    virtual ~Store() = default;
    // The stored text, or `fallback` when the key (or its section, or the
    // application) has never been written.
    virtual std::string read(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& fallback) = 0;
    // Creates the application and section as needed and replaces any earlier
    // value of the key.
    virtual void write(const std::string& app, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
    // While the returned object lives, a key opened for one read stays open
    // for the next (start-up reads a dozen values of one section in a row);
    // dropping it closes them. Values read are the same either way.
    [[nodiscard]] virtual std::shared_ptr<void> keepOpen() { return nullptr; }
};

// The current user's store on this platform.
std::unique_ptr<Store> openUserStore();

}  // namespace orvenda::settings
