#include "workspace/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k7 {

TextFile ReadTextLines(const std::string& path) {
    TextFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.Error = "Cannot open " + path + ": " + std::strerror(errno);
        return file;
    }
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        file.Error = "Cannot open " + path + ": it is a folder";
        return file;
    }
    if (info.st_size > MaxTextFileBytes) {
        file.Error = "Cannot read " + path + ": it is larger than " +
                     std::to_string(MaxTextFileBytes / (1024 * 1024)) + " MB";
        return file;
    }
    // A regular file is read in one piece of its known size; anything else
    // (a pipe, a device) as a stream.
    std::string text;
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        text.resize(static_cast<size_t>(info.st_size));
        in.read(text.data(), info.st_size);
        text.resize(static_cast<size_t>(in.gcount()));
    } else {
        std::ostringstream content;
        content << in.rdbuf();
        text = content.str();
    }
    if (in.bad()) {
        file.Error = "Cannot read " + path;
        return file;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        file.Lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    file.Ok = true;
    return file;
}

namespace {

WriteFault& CurrentWriteFault() {
    static WriteFault fault;
    return fault;
}

// errno of an injected fault at step, or 0.
int InjectedFault(WriteStep step, const std::string& path) {
    const WriteFault& fault = CurrentWriteFault();
    return fault ? fault(step, path) : 0;
}

bool WriteAll(int descriptor, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

void SetWriteFault(WriteFault fault) {
    CurrentWriteFault() = std::move(fault);
}

std::string WriteTextContent(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".k7tmp";
    // Closes the temporary file when still open and removes it.
    auto failed = [&](int reason, int descriptor) {
        if (descriptor >= 0)
            ::close(descriptor);
        std::remove(temporary.c_str());
        return "Cannot write " + path + ": " + std::strerror(reason);
    };
    if (int fault = InjectedFault(WriteStep::Create, path))
        return failed(fault, -1);
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return failed(errno, -1);
    if (int fault = InjectedFault(WriteStep::Write, path)) {
        WriteAll(descriptor, content.data(), content.size() / 2);
        return failed(fault, descriptor);
    }
    if (!WriteAll(descriptor, content.data(), content.size()))
        return failed(errno, descriptor);
    if (int fault = InjectedFault(WriteStep::Flush, path))
        return failed(fault, descriptor);
    if (::fsync(descriptor) != 0)
        return failed(errno, descriptor);
    if (::close(descriptor) != 0)
        return failed(errno, -1);
    if (int fault = InjectedFault(WriteStep::Rename, path))
        return failed(fault, -1);
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        return failed(errno, -1);
    return {};
}

std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    return WriteTextContent(path, content);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    const std::string exact = folder + name;
    if (FileExists(exact))
        return exact;
    std::string directory = folder.empty() ? std::string(".") : folder;
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return exact;
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && FileExists(folder + entry->d_name)) {
            found = folder + entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found.empty() ? exact : found;
}

char PathSeparator() {
    return '/';
}

std::string WithTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return folder;
    return folder + PathSeparator();
}

static size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

std::string FileNamePart(const std::string& path) {
    size_t cut = LastSeparator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderPart(const std::string& path) {
    size_t cut = LastSeparator(path);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string ExtensionOf(const std::string& path) {
    std::string name = FileNamePart(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string ReplaceExtension(const std::string& path, const std::string& newExtension) {
    std::string folder = FolderPart(path);
    std::string name = FileNamePart(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return folder + name + "." + newExtension;
}

} // namespace k7
