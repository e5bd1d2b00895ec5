#include "comm/crc16.h"

namespace k7 {

std::uint16_t Crc16(std::string_view bytes) {
    unsigned crc = 0;
    for (char c : bytes) {
        const unsigned byte = static_cast<unsigned char>(c);
        crc = CrcTable[crc >> 8] ^ ((crc << 8) & 0xFFFF) ^ byte;
    }
    return static_cast<std::uint16_t>(crc);
}

} // namespace k7
