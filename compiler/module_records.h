// The module records of section "#4": one record per module instance, its
// items resolved to words, with the card binding checks and the com buffer
// needs of the communication module types.
#pragma once

#include <string>
#include <vector>

namespace k7 {

struct CompileContext;
struct Project;

// Module types with special roles in the module walks and buffer needs.
constexpr int ComPortModuleType = 31;         // sizes a port's TX and RX buffers
constexpr int TransmitBufferModuleType = 125; // sizes one TX buffer of a board
constexpr int K3SkipCardCheckModuleType = 60;

// The walk (1, 2 or 3) that writes instances of this module number.
int ModuleWalkOf(int moduleNumber);

// Writes the records of walks firstWalk..lastWalk over the module order.
void CompileModuleWalks(CompileContext& context, int firstWalk, int lastWalk);

// The com buffer needs of an instance of module type 31 or 125.
void RaiseModuleBufferNeeds(CompileContext& context, int instanceIndex);

} // namespace k7
