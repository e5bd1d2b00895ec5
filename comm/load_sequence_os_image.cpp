#include "comm/load_sequence_os_image.h"

#include "workspace/text_file.h"

#include <filesystem>

namespace k7 {

std::string MissingOsImageMessage(const std::string& systemFolder) {
    return "Cannot find file K7.DWN in " + systemFolder;
}

std::string OsImagePath(const std::string& systemFolder) {
    return FindFileIgnoringCase(systemFolder, OsImageName);
}

std::string OsImageProblem(const std::string& systemFolder) {
    const std::string path = OsImagePath(systemFolder);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return MissingOsImageMessage(systemFolder);
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return MissingOsImageMessage(systemFolder);
    const std::string name = "K7.DWN in " + systemFolder;
    if (size < OsSkippedBytes)
        return name + " is shorter than 16384 bytes; it is not an OS image.";
    if (size % 2 != 0)
        return name + " has an odd length; the unit's flash takes whole words.";
    if (size > OsChecksumAddress)
        return name + " is longer than the unit's flash (262140 bytes).";
    return {};
}

void OsChecksum::AddBlock(const std::string& block) {
    for (std::size_t i = 0; i < block.size(); i += 2) {
        const unsigned high = static_cast<unsigned char>(block[i]);
        const unsigned low = i + 1 < block.size() ? static_cast<unsigned char>(block[i + 1]) : 0xFF;
        Sum += high * 256 + low;
    }
}

// The unit checks the sum with its own carry rule: the sum is kept below
// 0x80000000 while the erased words are added, and a flag remembers in
// bit 31 whether the top bit was taken off an odd number of times.
void OsChecksum::Complete(std::uint32_t nextAddress) {
    bool flag = false;
    for (std::uint32_t address = nextAddress; address <= OsLastCountedAddress; ++address) {
        if (address % 2 != 0)
            continue;
        if (Sum > 0x7FFF0000u) {
            Sum -= 0x80000000u;
            flag = !flag;
        }
        Sum += 0xFFFF;
    }
    if (flag)
        Sum |= 0x80000000u;
}

std::string BigEndianWord(std::uint32_t value) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

} // namespace k7
