// The serial devices present on this workstation, as Communications Setup
// offers them for a COM choice: the stable names of USB adapters first
// (/dev/serial/by-id/...), then /dev/ttyUSB*, /dev/ttyACM* and /dev/ttyS*
// in number order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace k7 {

// The names of the entries of a folder; none when it cannot be read.
using FolderReader = std::function<std::vector<std::string>(const std::string& folder)>;

std::vector<std::string> ReadFolderNames(const std::string& folder);

// Full device paths, each once; reader lists /dev and /dev/serial/by-id.
std::vector<std::string> ListSerialDevices(const FolderReader& reader = ReadFolderNames);

} // namespace k7
