#include "workspace/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k7 {

namespace {

constexpr size_t ReadPieceBytes = 1 << 20;

std::string TooLargeMessage(const std::string& path) {
    return "Cannot read " + path + ": it is larger than " +
           std::to_string(MaxTextFileBytes / (1024 * 1024)) + " MB";
}

// Splits bytes, arriving in pieces, into lines, and notes the first line
// past the limits, after which nothing more is taken.
class LineCutter {
  public:
    LineCutter(LineLimits limits, TextFile& file) : limits_(limits), file_(file) {}

    // Takes a piece; false once the limits are passed.
    bool Take(const char* bytes, size_t size) {
        const char* end = bytes + size;
        while (bytes < end && !file_.Cut) {
            const char* newline = static_cast<const char*>(std::memchr(bytes, '\n', end - bytes));
            const char* stop = newline ? newline : end;
            Append(bytes, static_cast<size_t>(stop - bytes));
            if (newline && !file_.Cut)
                EndLine();
            bytes = newline ? newline + 1 : end;
        }
        return !file_.Cut;
    }

    // The last line when the file does not end with a line end.
    void Finish() {
        if (!partial_.empty() && !file_.Cut)
            EndLine();
    }

  private:
    // A line may hold one character more than the bound: its CR.
    void Append(const char* bytes, size_t size) {
        if (limits_.MaxLineLength != static_cast<size_t>(-1)) {
            const size_t room = limits_.MaxLineLength + 1 - partial_.size();
            if (size > room) {
                partial_.append(bytes, room);
                CutHere();
                return;
            }
        }
        partial_.append(bytes, size);
    }

    void EndLine() {
        if (!partial_.empty() && partial_.back() == '\r')
            partial_.pop_back();
        if (partial_.size() > limits_.MaxLineLength) {
            CutHere();
            return;
        }
        file_.Lines.push_back(std::move(partial_));
        partial_.clear();
        if (file_.Lines.size() > limits_.MaxLines)
            file_.Cut = true;
    }

    void CutHere() {
        if (partial_.size() > limits_.MaxLineLength + 1)
            partial_.resize(limits_.MaxLineLength + 1);
        file_.Lines.push_back(std::move(partial_));
        partial_.clear();
        file_.Cut = true;
    }

    LineLimits limits_;
    TextFile& file_;
    std::string partial_;
};

// Opens path for reading; on failure returns -1 with the message in error.
int OpenForReading(const std::string& path, struct stat& info, std::string& error) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return -1;
    }
    if (fstat(descriptor, &info) != 0)
        info = {};
    if (S_ISDIR(info.st_mode))
        error = "Cannot open " + path + ": it is a folder";
    else if (info.st_size > MaxTextFileBytes)
        error = TooLargeMessage(path);
    else
        return descriptor;
    ::close(descriptor);
    return -1;
}

} // namespace

std::string TextFileProblem(const std::string& path) {
    struct stat info {};
    std::string error;
    const int descriptor = OpenForReading(path, info, error);
    if (descriptor >= 0)
        ::close(descriptor);
    return error;
}

TextFile ReadTextLines(const std::string& path, LineLimits limits) {
    TextFile file;
    struct stat info {};
    const int descriptor = OpenForReading(path, info, file.Error);
    if (descriptor < 0)
        return file;
    // Pieces of fixed size whatever the file's kind, so a pipe or a device
    // that never ends is refused at the size bound, and a file past a line
    // bound is not read beyond it.
    LineCutter cutter(limits, file);
    std::string piece(ReadPieceBytes, '\0');
    long long total = 0;
    for (;;) {
        const ssize_t got = ::read(descriptor, piece.data(), piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            file.Error = "Cannot read " + path + ": " + std::strerror(errno);
            break;
        }
        if (got == 0) {
            cutter.Finish();
            file.Ok = true;
            break;
        }
        total += got;
        if (total > MaxTextFileBytes) {
            file.Error = TooLargeMessage(path);
            break;
        }
        if (!cutter.Take(piece.data(), static_cast<size_t>(got))) {
            file.Ok = true;
            break;
        }
    }
    ::close(descriptor);
    if (!file.Ok)
        file.Lines.clear();
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
