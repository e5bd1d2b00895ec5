// What the system sends to a unit in its ASCII dialect. Slot numbers and
// other numbers are decimal without leading zeros; every watch command ends
// with a carriage return.
#pragma once

#include <string>

namespace k7 {

constexpr char SwitchToTavroByte = 0x12; // control-R
constexpr char StopProgramByte = 0x0B;   // control-K

constexpr int WatchSlotCount = 30; // the unit's watch table, slots 0..29

std::string WatchClearTable();                                       // "?91\r"
std::string WatchRequestValues();                                    // "?92\r"
std::string WatchLoadAddress(int slot, const std::string& address);  // "?5=P1A2B\r"
std::string WatchPokeOn(int slot);                                   // "?5=X\r"
std::string WatchPokeOff(int slot);                                  // "?5=Y\r"
std::string WatchWriteValue(int slot, const std::string& valueText); // "?5=V12\r"

} // namespace k7
