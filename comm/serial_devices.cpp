#include "comm/serial_devices.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace k7 {

namespace {

constexpr const char* DeviceFolder = "/dev";
constexpr const char* StableNameFolder = "/dev/serial/by-id";
constexpr const char* DevicePrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};

// "ttyS10" after "ttyS9": the number after the prefix, or -1 when the
// rest of the name is not a number.
long NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    long number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 99999)
            return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

} // namespace

std::vector<std::string> ReadFolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        names.push_back(entry->path().filename().string());
    return names;
}

std::vector<std::string> ListSerialDevices(const FolderReader& reader) {
    std::vector<std::string> devices;
    std::vector<std::string> stable = reader(StableNameFolder);
    std::sort(stable.begin(), stable.end());
    for (const std::string& name : stable)
        if (!name.empty() && name[0] != '.')
            devices.push_back(std::string(StableNameFolder) + "/" + name);

    const std::vector<std::string> present = reader(DeviceFolder);
    for (const std::string prefix : DevicePrefixes) {
        std::vector<std::pair<long, std::string>> numbered;
        for (const std::string& name : present)
            if (const long number = NumberAfter(name, prefix); number >= 0)
                numbered.emplace_back(number, name);
        std::sort(numbered.begin(), numbered.end());
        for (const auto& [number, name] : numbered)
            devices.push_back(std::string(DeviceFolder) + "/" + name);
    }
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    return devices;
}

} // namespace k7
