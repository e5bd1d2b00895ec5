#include "comm/crc16.h"

#include <gtest/gtest.h>

#include <string>

namespace k7 {
namespace {

// The same check, derived independently: the message shifted bit by bit
// through a 16-bit register, the polynomial subtracted on every carry out.
std::uint16_t RemainderBitByBit(const std::string& bytes) {
    unsigned reg = 0;
    for (char c : bytes) {
        const unsigned byte = static_cast<unsigned char>(c);
        for (int bit = 7; bit >= 0; --bit) {
            const bool carry = reg & 0x8000;
            reg = ((reg << 1) | ((byte >> bit) & 1)) & 0xFFFF;
            if (carry)
                reg ^= 0x1021;
        }
    }
    return static_cast<std::uint16_t>(reg);
}

TEST(Crc16, CheckValues) {
    EXPECT_EQ(Crc16(""), 0x0000);
    EXPECT_EQ(Crc16("a"), 0x0061);
    EXPECT_EQ(Crc16("ab"), 0x6162);
    EXPECT_EQ(Crc16("abc"), 0x1EE4);
    EXPECT_EQ(Crc16("123456789"), 0xBEEF);
}

TEST(Crc16, ShortMessagesAreTheirOwnCheck) {
    EXPECT_EQ(Crc16(std::string(1, '\xC8')), 0x00C8);
    EXPECT_EQ(Crc16(std::string("\xC8\x08", 2)), 0xC808);
    EXPECT_EQ(Crc16(std::string("\x00\x00", 2)), 0x0000);
}

TEST(Crc16, TableIsThePolynomialTable) {
    static_assert(CrcTable[0] == 0x0000);
    static_assert(CrcTable[1] == 0x1021);
    static_assert(CrcTable[0xFF] == 0x1EF0);
    for (unsigned i = 0; i < 256; ++i)
        EXPECT_EQ(CrcTable[i],
                  RemainderBitByBit(std::string(1, static_cast<char>(i)) + std::string(2, '\0')))
            << "entry " << i;
}

TEST(Crc16, AgreesWithTheBitwiseRemainderOnEveryByteValue) {
    std::string message;
    for (int i = 0; i < 256; ++i) {
        message += static_cast<char>(255 - i);
        ASSERT_EQ(Crc16(message), RemainderBitByBit(message)) << "length " << message.size();
    }
}

} // namespace
} // namespace k7
