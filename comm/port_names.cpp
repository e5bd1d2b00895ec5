#include "comm/port_names.h"

#include "comm/serial_platform.h"
#include "workspace/text_file.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace k7 {

namespace {

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

} // namespace

PortNameTable::PortNameTable() : Devices(DefaultPortDevices()) {}

std::string PortNameTable::DeviceFor(int port) const {
    const auto found = Devices.find(port);
    return found == Devices.end() ? std::string() : found->second;
}

void PortNameTable::SetDevice(int port, const std::string& path) {
    if (path.empty())
        Devices.erase(port);
    else
        Devices[port] = path;
}

std::string PortNameTable::Text() const {
    // A default port that was cleared is written as "COMn=", since reading
    // the file starts from the defaults again.
    std::map<int, std::string> written = Devices;
    for (const auto& [port, path] : DefaultPortDevices())
        written.emplace(port, std::string());
    std::string text;
    for (const auto& [port, path] : written)
        text += "COM" + std::to_string(port) + "=" + path + "\r\n";
    return text;
}

std::string PortNameTable::ReadText(const std::string& text) {
    std::map<int, std::string> read = Devices;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = WithoutLineEnd(line);
        if (line.empty())
            continue;
        const auto equals = line.find('=');
        const int port = equals == std::string::npos ? 0 : ComPortNumber(line.substr(0, equals));
        if (port == 0)
            return "Line " + std::to_string(lineNumber) +
                   " is not of the form COMn=device: " + line;
        const std::string path = line.substr(equals + 1);
        if (path.empty())
            read.erase(port);
        else
            read[port] = path;
    }
    Devices = read;
    return {};
}

std::string LoadPortNames(const std::string& path, PortNameTable& table) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::ostringstream text;
    text << file.rdbuf();
    const std::string problem = table.ReadText(text.str());
    return problem.empty() ? problem : path + ": " + problem;
}

std::string SavePortNames(const std::string& path, const PortNameTable& table) {
    return WriteTextContent(path, table.Text());
}

int ComPortNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 5)
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return 0;
    }
    int number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

} // namespace k7
