// TAVRO frames, both directions:
//   start byte, total length (8..255), command code, header bytes A and B,
//   data (length - 7 bytes), Crc16 of everything before it, high byte first.
// Frames are built here and sent whole with one WriteString.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace k7 {

constexpr std::uint8_t FrameStartByte = 0xC8; // frames sent by this system
constexpr std::uint8_t ReplyStartByte = 0xC9; // a reply starts with either
constexpr std::size_t FrameHeaderLength = 5;
constexpr std::size_t FrameOverhead = 7; // header and CRC
constexpr std::size_t MinFrameLength = 8;
constexpr std::size_t MaxFrameLength = 255;
constexpr std::size_t MaxFrameData = MaxFrameLength - FrameOverhead;

// Command codes sent by this system.
enum TavroCommand : std::uint8_t {
    CmdControl = 0x30,
    CmdPassThrough = 0x50,
    CmdSetClock = 0x60,
    CmdOsBlock = 0x70,
    CmdProgramLine = 0x90,
};

// Arguments of CmdControl.
enum ControlArgument : std::uint8_t {
    ControlHaltForProgram = 0x10,
    ControlHaltForOs = 0x60,
    ControlEraseSectorBase = 0x40, // + sector 1..6
    ControlInstallSecurity = 0x50, // "P"
    ControlRestartProgram = 0x30,  // "0"
    ControlRestartOs = 0x20,       // " "
};

// Bits of the status byte, the first data byte of a reply.
constexpr std::uint8_t StatusProgramIdle = 0x01;
constexpr std::uint8_t StatusPassThrough = 0x10;

constexpr std::size_t MaxProgramLineLength = MaxFrameData; // 248 characters
constexpr std::size_t MaxOsBlockLength = MaxFrameData - 4; // after the address

// Workstation date and time as the unit's clock takes it.
struct ClockReading {
    int Year = 2000;
    int Month = 1;     // 1..12
    int Day = 1;       // 1..31
    int Hour = 0;      // 0..23
    int Minute = 0;    // 0..59
    int Second = 0;    // 0..59
    int DayOfWeek = 1; // 1 Sunday .. 7 Saturday
};

// Route of a pass-through load: every value must fit in one byte.
struct PassThroughRoute {
    int MasterBoard = 0;
    int MasterPort = 0;
    int RemoteAddress = 0;
    int ForwardAddress1 = 0;
    int ForwardAddress2 = 0;
    int ForwardAddress3 = 0;
};

// Header, data and CRC; nothing when the data does not fit in one frame.
std::optional<std::string> TavroFrame(std::uint8_t command, std::uint8_t headerA,
                                      std::uint8_t headerB, std::string_view data);

std::string ControlFrame(std::uint8_t argument);
std::string EraseSectorFrame(int sector); // sector 1..6
// Nothing when a route value does not fit in a byte.
std::optional<std::string> PassThroughStartFrame(const PassThroughRoute& route);
std::string PassThroughEndFrame();
std::string SetClockFrame(const ClockReading& clock);
// The unit reads the year byte as year - 2000, or year - 1900 before 2000.
std::uint8_t ClockYearByte(int year);
// Nothing for more than MaxOsBlockLength bytes.
std::optional<std::string> OsBlockFrame(std::uint32_t address, std::string_view block);
// Nothing for an empty line or one longer than MaxProgramLineLength: the unit
// cannot take a frame shorter than 8 bytes or longer than 255.
std::optional<std::string> ProgramLineFrame(std::string_view line);

// Whether the first `length` bytes end in the CRC of the bytes before them.
// False when length is below 2 or beyond the bytes given.
bool FrameCheckMatches(std::string_view bytes, std::size_t length);

// The status byte of a reply; nothing when the frame carries no data.
std::optional<std::uint8_t> ReplyStatus(std::string_view frame);
bool ReplyShowsIdle(std::string_view frame);
bool ReplyShowsPassThrough(std::string_view frame);

} // namespace k7
