// A folder of one test's own under the system's temporary folder, removed
// with everything in it afterwards (its permissions given back first, for
// tests that make it read-only). Each is new, so tests run in parallel.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace k7::test {

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "k7test-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            folder_ = pattern + "/";
    }
    ~TemporaryFolder() {
        if (folder_.empty())
            return;
        std::error_code ignored;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder with a closing "/"; empty when it could not be made.
    const std::string& Folder() const { return folder_; }
    std::string File(const std::string& name) const { return folder_ + name; }

  private:
    std::string folder_;
};

} // namespace k7::test
