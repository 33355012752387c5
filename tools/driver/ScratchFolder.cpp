#include "tools/driver/ScratchFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace quiltRush {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& prefix) : owner(::getpid()) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
    folder = pattern;
}

ScratchFolder::~ScratchFolder() {
    // A child that ran on a copy of this object must not take the folder from
    // under the parent that is still using it.
    if (::getpid() != owner) return;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace quiltRush
