// The unit's operating system image as the download sequence sends it:
// where it lies in the system folder, the checks made before anything is
// sent, and the checksum the unit verifies after the last block.
#pragma once

#include <cstdint>
#include <string>

namespace k7 {

constexpr std::uint32_t OsSkippedBytes = 0x4000; // the unit's boot area, never sent
constexpr std::uint32_t OsBlockBytes = 128;
constexpr std::uint32_t OsChecksumAddress = 0x3FFFC; // the record of the checksum
constexpr std::uint32_t OsLastCountedAddress = 0x3FFF8;
constexpr int OsProgressTotal = 175000;
constexpr const char* OsImageName = "k7.dwn";

// "Cannot find file K7.DWN in " + the system folder.
std::string MissingOsImageMessage(const std::string& systemFolder);

// The OS image of a system folder ("k7.dwn" in any case).
std::string OsImagePath(const std::string& systemFolder);
// Whether the unit can take the OS image: present, at least 16 KiB, of
// even length, and ending before the checksum record. Empty text when it
// can be sent, otherwise the message to show.
std::string OsImageProblem(const std::string& systemFolder);

// The running sum of the OS image words and its completion, which counts
// every word of erased flash after the image as 0xFFFF.
class OsChecksum {
  public:
    // Adds the big-endian words of one block; a last odd byte pairs with
    // 0xFF, the erased flash that follows it in the unit.
    void AddBlock(const std::string& block);
    // Counts the erased words from nextAddress up to 0x3FFF8 and marks a
    // sum that passed 0x7FFFFFFF on the way in bit 31.
    void Complete(std::uint32_t nextAddress);
    std::uint32_t Value() const { return Sum; }
    void Reset() { Sum = 0; }

  private:
    std::uint32_t Sum = 0;
};

// The four bytes of a word, most significant first.
std::string BigEndianWord(std::uint32_t value);

} // namespace k7
