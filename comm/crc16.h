// The 16-bit check of TAVRO frames: polynomial 0x1021, initial value 0, no
// final XOR, most significant bit first, in the direct table form (no zero
// bytes appended). The CRC of a one- or two-byte message is the message
// itself; "123456789" gives 0xBEEF.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace k7 {

constexpr std::uint16_t CrcPolynomial = 0x1021;

// Entry i is the CRC of the byte i shifted left by 8.
constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? ((crc << 1) ^ CrcPolynomial) : (crc << 1);
        table[i] = static_cast<std::uint16_t>(crc & 0xFFFF);
    }
    return table;
}

inline constexpr std::array<std::uint16_t, 256> CrcTable = MakeCrcTable();

std::uint16_t Crc16(std::string_view bytes);

} // namespace k7
