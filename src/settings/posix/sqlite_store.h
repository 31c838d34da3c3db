// settings/posix: the store in an SQLite database file.
#pragma once

#include <memory>
#include <string>

#include "settings/store.h"

namespace orvenda::settings {

// Opens (creating it with mode 0600 if needed) the database at `path`.
// Throws std::runtime_error when the file cannot be opened.
std::unique_ptr<Store> openSqliteStore(const std::string& path);
// $XDG_CONFIG_HOME/orvenda/settings.sqlite3, or ~/.config/orvenda/... .
std::string userStorePath();

}  // namespace orvenda::settings
