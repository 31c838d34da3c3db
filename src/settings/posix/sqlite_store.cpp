// settings/posix: the store as one SQLite table. Every write is its own
// transaction, so copies of the program sharing the file keep each other's
// keys, the last writer wins key by key, and a crash never leaves half a
// value behind. The file holds the SMTP password: it is created 0600.
#include "settings/posix/sqlite_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace orvenda::settings {

namespace {

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& bind(int i, const std::string& text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    int step() { return sqlite3_step(stmt_); }
    std::string column(int i) {
        auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, i))) : std::string();
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

class SqliteStore : public Store {
public:
    explicit SqliteStore(const std::string& path) {
        // Create the file ourselves so that it never exists with wider rights.
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) throw std::runtime_error("cannot open settings file " + path);
        ::close(fd);
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                            nullptr) != SQLITE_OK) {
            std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error("cannot open settings file " + path + ": " + why);
        }
        sqlite3_busy_timeout(db_, 10'000);
        // Write-ahead log: a write is one atomic append, readers never block
        // writers, and a crash loses at most the last writes, never half of one.
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=NORMAL");
        exec("CREATE TABLE IF NOT EXISTS settings (app TEXT NOT NULL, section TEXT NOT NULL,"
             " key TEXT NOT NULL, value TEXT NOT NULL, PRIMARY KEY (app, section, key))");
    }
    ~SqliteStore() override { sqlite3_close(db_); }

    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        Statement q(db_, "SELECT value FROM settings WHERE app = ?1 AND section = ?2 AND key = ?3");
        q.bind(1, app).bind(2, section).bind(3, key);
        return q.step() == SQLITE_ROW ? q.column(0) : fallback;
    }

    void write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override {
        Statement q(db_,
                    "INSERT INTO settings (app, section, key, value) VALUES (?1, ?2, ?3, ?4)"
                    " ON CONFLICT (app, section, key) DO UPDATE SET value = excluded.value");
        q.bind(1, app).bind(2, section).bind(3, key).bind(4, value);
        if (q.step() != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
    }

private:
    void exec(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            std::string why = error ? error : "unknown error";
            sqlite3_free(error);
            throw std::runtime_error(why);
        }
    }
    sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<Store> openSqliteStore(const std::string& path) {
    return std::make_unique<SqliteStore>(path);
}

std::string userStorePath() {
    namespace fs = std::filesystem;
    fs::path dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        dir = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        dir = fs::path(home) / ".config";
    else
        dir = ".";
    dir /= "orvenda";
    fs::create_directories(dir);
    ::chmod(dir.c_str(), 0700);
    return (dir / "settings.sqlite3").string();
}

std::unique_ptr<Store> openUserStore() { return openSqliteStore(userStorePath()); }

}  // namespace orvenda::settings
