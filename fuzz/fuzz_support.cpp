#include "fuzz/fuzz_support.h"

#include "workspace/text_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace k7::fuzz {

std::vector<std::string> InputLines(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

const ModuleLibrary& ShippedLibrary() {
    static const ModuleLibrary library = [] {
        LibraryLoad load = LoadModuleLibrary(std::string(K7_SOURCE_DIR) + "/data/");
        if (!load.Messages.empty()) {
            std::fprintf(stderr, "%s\n", load.Messages.front().c_str());
            std::abort();
        }
        return load.Library;
    }();
    return library;
}

const std::vector<std::string>& ShippedIntro() {
    static const std::vector<std::string> intro =
        ReadTextLines(std::string(K7_SOURCE_DIR) + "/data/Docintro.TXT").Lines;
    return intro;
}

namespace {

// The scratch folder goes with the process. A run that finishes or reaches
// its time ends through exit(), so replays in CI and long runs leave nothing
// in /tmp; an interrupted or crashed one keeps the files of its last input.
struct ScratchFolderOfProcess {
    std::string Path;

    ScratchFolderOfProcess() {
        const char* base = std::getenv("TMPDIR");
        Path = std::string(base && *base ? base : "/tmp") + "/k7fuzz-" +
               std::to_string(static_cast<long>(getpid())) + "/";
        mkdir(Path.c_str(), 0700);
    }
    ~ScratchFolderOfProcess() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
};

} // namespace

const std::string& ScratchFolder() {
    static const ScratchFolderOfProcess folder;
    return folder.Path;
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace k7::fuzz
