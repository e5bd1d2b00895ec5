// A folder of one test's own, removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace k7::test {

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "k7commXXXXXX").string();
        if (mkdtemp(pattern.data()))
            Path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!Path.empty())
            std::filesystem::remove_all(Path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string File(const std::string& name) const { return Path + "/" + name; }

    std::string Path;
};

} // namespace k7::test
