#include "workspace/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
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
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        file.Error = "Cannot read " + path;
        return file;
    }
    const std::string text = content.str();
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

std::string WriteTextContent(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".k7tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return "Cannot write " + path + ": " + std::strerror(errno);
        out << content;
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return "Cannot write " + path + ": " + std::strerror(errno);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return "Cannot write " + path + ": " + reason;
    }
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
