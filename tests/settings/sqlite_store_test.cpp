// The SQLite store: the shared store behaviour, plus what only a file-backed
// store has (its place, its rights, several processes at once).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "settings/posix/sqlite_store.h"
#include "settings/store_contract.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;

fs::path freshDir() {
    char tmpl[] = "/tmp/orvenda-store-XXXXXX";
    return fs::path(mkdtemp(tmpl));
}

class SqliteStoreContract : public testing::StoreContract {
protected:
    fs::path dir = freshDir();
    ~SqliteStoreContract() override { fs::remove_all(dir); }
    std::unique_ptr<settings::Store> open() override {
        return settings::openSqliteStore((dir / "settings.sqlite3").string());
    }
};

ORVENDA_STORE_CONTRACT_TESTS(SqliteStoreContract)

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SqliteStoreFile, LivesUnderXdgConfigHomeAndOnlyItsOwnerMayReadIt) {
    fs::path dir = freshDir();
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.string());
    auto store = settings::openUserStore();
    store->write("ORVENDA", "Settings", "SMTP_PASSWORD_TEXTBOX", "secret");
    fs::path file = dir / "orvenda" / "settings.sqlite3";
    ASSERT_TRUE(fs::exists(file));
    // The database and its write-ahead log alike.
    for (const auto& entry : fs::directory_iterator(dir / "orvenda")) {
        struct stat st{};
        ASSERT_EQ(::stat(entry.path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600) << entry.path();
    }
    fs::remove_all(dir);
}

TEST(SqliteStoreFile, FallsBackToDotConfigUnderHome) {
    fs::path dir = freshDir();
    ScopedEnv xdg("XDG_CONFIG_HOME", "");
    ScopedEnv home("HOME", dir.string());
    EXPECT_EQ(settings::userStorePath(), (dir / ".config" / "orvenda" / "settings.sqlite3").string());
    fs::remove_all(dir);
}

TEST(SqliteStoreFile, TwoProcessesWritingAtOnceLoseNoKey) {
    fs::path dir = freshDir();
    const std::string path = (dir / "settings.sqlite3").string();
    settings::openSqliteStore(path);  // create the table before the race
    constexpr int kKeys = 1000;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    const char* who = child == 0 ? "child" : "parent";
    {
        auto store = settings::openSqliteStore(path);
        for (int i = 0; i < kKeys; ++i) {
            store->write("ORVENDA", "Settings", std::string(who) + std::to_string(i), who);
            store->write("ORVENDA", "Settings", "last", who);
        }
    }
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    auto store = settings::openSqliteStore(path);
    int lost = 0;
    for (const char* w : {"child", "parent"})
        for (int i = 0; i < kKeys; ++i)
            lost += store->read("ORVENDA", "Settings", w + std::to_string(i), "") != w;
    EXPECT_EQ(lost, 0);
    EXPECT_NE(store->read("ORVENDA", "Settings", "last", ""), "");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace orvenda
