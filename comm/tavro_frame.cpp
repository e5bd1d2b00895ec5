#include "comm/tavro_frame.h"

#include "comm/crc16.h"

namespace k7 {

namespace {

char Byte(unsigned value) {
    return static_cast<char>(value & 0xFF);
}

bool FitsInByte(int value) {
    return value >= 0 && value <= 0xFF;
}

// Frames whose data cannot be too long by construction.
std::string FixedFrame(std::uint8_t command, std::uint8_t headerA, std::string_view data) {
    return *TavroFrame(command, headerA, 0x00, data);
}

} // namespace

std::optional<std::string> TavroFrame(std::uint8_t command, std::uint8_t headerA,
                                      std::uint8_t headerB, std::string_view data) {
    if (data.size() > MaxFrameData)
        return std::nullopt;
    std::string frame;
    frame.reserve(data.size() + FrameOverhead);
    frame += Byte(FrameStartByte);
    frame += Byte(static_cast<unsigned>(data.size() + FrameOverhead));
    frame += Byte(command);
    frame += Byte(headerA);
    frame += Byte(headerB);
    frame += data;
    const std::uint16_t crc = Crc16(frame);
    frame += Byte(crc >> 8);
    frame += Byte(crc);
    return frame;
}

std::string ControlFrame(std::uint8_t argument) {
    return FixedFrame(CmdControl, 0x00, std::string(1, Byte(argument)));
}

std::string EraseSectorFrame(int sector) {
    return ControlFrame(static_cast<std::uint8_t>(ControlEraseSectorBase + (sector & 0x0F)));
}

std::optional<std::string> PassThroughStartFrame(const PassThroughRoute& route) {
    const int values[] = {route.MasterBoard,     route.MasterPort,      route.RemoteAddress,
                          route.ForwardAddress1, route.ForwardAddress2, route.ForwardAddress3};
    std::string data(1, Byte(0x01));
    for (int value : values) {
        if (!FitsInByte(value))
            return std::nullopt;
        data += Byte(static_cast<unsigned>(value));
    }
    return FixedFrame(CmdPassThrough, 0x01, data);
}

std::string PassThroughEndFrame() {
    return FixedFrame(CmdPassThrough, 0x01, std::string(1, Byte(0x02)));
}

std::uint8_t ClockYearByte(int year) {
    return static_cast<std::uint8_t>((year >= 2000 ? year - 2000 : year - 1900) & 0xFF);
}

std::string SetClockFrame(const ClockReading& clock) {
    // Binary values, not BCD.
    std::string data;
    data += Byte(static_cast<unsigned>(clock.Second));
    data += Byte(static_cast<unsigned>(clock.Minute));
    data += Byte(static_cast<unsigned>(clock.Hour));
    data += Byte(static_cast<unsigned>(clock.Day));
    data += Byte(static_cast<unsigned>(clock.Month));
    data += Byte(static_cast<unsigned>(clock.DayOfWeek));
    data += Byte(ClockYearByte(clock.Year));
    return FixedFrame(CmdSetClock, 0x00, data);
}

std::optional<std::string> OsBlockFrame(std::uint32_t address, std::string_view block) {
    if (block.size() > MaxOsBlockLength)
        return std::nullopt;
    std::string data;
    data += Byte(address >> 24);
    data += Byte(address >> 16);
    data += Byte(address >> 8);
    data += Byte(address);
    data += block;
    return TavroFrame(CmdOsBlock, 0x00, 0x00, data);
}

std::optional<std::string> ProgramLineFrame(std::string_view line) {
    if (line.empty())
        return std::nullopt;
    return TavroFrame(CmdProgramLine, 0x00, 0x00, line);
}

bool FrameCheckMatches(std::string_view bytes, std::size_t length) {
    if (length < 2 || length > bytes.size())
        return false;
    const std::uint16_t crc = Crc16(bytes.substr(0, length - 2));
    return static_cast<unsigned char>(bytes[length - 2]) == (crc >> 8) &&
           static_cast<unsigned char>(bytes[length - 1]) == (crc & 0xFF);
}

std::optional<std::uint8_t> ReplyStatus(std::string_view frame) {
    if (frame.size() < MinFrameLength)
        return std::nullopt;
    return static_cast<std::uint8_t>(frame[FrameHeaderLength]);
}

bool ReplyShowsIdle(std::string_view frame) {
    const auto status = ReplyStatus(frame);
    return status && (*status & StatusProgramIdle);
}

bool ReplyShowsPassThrough(std::string_view frame) {
    const auto status = ReplyStatus(frame);
    return status && (*status & StatusPassThrough);
}

} // namespace k7
