#include "tests/support/ScopedTempDir.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace testSupport {

namespace fs = std::filesystem;

ScopedTempDir::ScopedTempDir() {
    previous = fs::current_path().string();
    fs::current_path(folder.path());
}

ScopedTempDir::~ScopedTempDir() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
}

void ScopedTempDir::write(const std::string& relativePath, const std::string& content) const {
    fs::path full = fs::path(folder.path()) / relativePath;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << content;
}

std::string ScopedTempDir::read(const std::string& relativePath) const {
    std::ifstream in(fs::path(folder.path()) / relativePath, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string sourceDir() { return QUILTRUSH_SOURCE_DIR; }

}  // namespace testSupport
