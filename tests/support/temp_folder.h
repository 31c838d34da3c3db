// Test support: a fresh folder under the system's temporary folder, removed
// with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace orvenda::testing {

struct TempFolder {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("orvenda-test-" + std::to_string(std::random_device{}()));
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
    std::string text() const { return path.string(); }
    std::string bytes(const std::string& name) const {
        std::ifstream in(path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void put(const std::string& name, const std::string& bytes) const { std::ofstream(path / name, std::ios::binary) << bytes; }
};

}  // namespace orvenda::testing
