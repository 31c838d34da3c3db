// Test support: a fresh folder under the system's temporary folder, removed
// with everything in it when the test ends, and the started program with its
// install folder there.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "support/program.h"

namespace orvenda::testing {

struct TempFolder {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("orvenda-test-" + std::to_string(std::random_device{}()));
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
    std::string text() const { return path.string(); }
    void put(const std::string& name, const std::string& bytes) const { std::ofstream(path / name, std::ios::binary) << bytes; }
};

struct ProgramInFolder {
    Program p;
    TempFolder folder;
    app::MainWindow& w = p.start();
    ProgramInFolder() { w.INSTALL_FOLDER_TEXTBOX.userEdited(folder.text()); }
    std::string file() const {  // the message file's bytes
        std::ifstream in(folder.path / "SE-EMAIL.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

}  // namespace orvenda::testing
