// The RAM assignment of a compile: three sub-passes over every kind of RAM
// variable (1: reserve what the project stored, 2: place what is new,
// 3: blocks sized by what the first two found), then the timer and trigger
// blocks. Addresses once assigned are stored in the project and reused.
#pragma once

#include "workspace/linescan.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace k7 {

struct CompileContext;
struct Project;
struct TModuleInst;
struct TModuleDef;
class UserInterface;

// The whole assignment; the context's Pass holds 1, 2, 3 while it runs.
void AssignRam(CompileContext& context);

// The sub-pass steps, in the order each sub-pass runs them.
void AssignModuleRam(CompileContext& context);
void AssignRxRam(CompileContext& context);
void AssignSpeechRam(CompileContext& context);
void AssignLadderRam(CompileContext& context);
void AssignTableRam(CompileContext& context);
// BASIC modules and their local RAM (basic_ram.cpp).
void AssignBasicModuleRam(CompileContext& context);
void AssignBasicLocalRam(CompileContext& context);

// After the sub-passes.
void AddLadderDelayConstants(CompileContext& context);
void AssignTimerBlock(CompileContext& context);
void AssignTriggerBlock(CompileContext& context);

// Bytes of an instance's output block; blank counts mean 10 elements and
// blank string lengths 40 characters. statusNames is the project's Status
// database list (module type 168 counts its status inputs by it).
uint64_t ModuleBlockSize(const TModuleInst& instance, const TModuleDef& def,
                         const std::unordered_set<std::string>& statusNames);

// The Reassign command: after "Confirm OK to reassign project RAM?" is
// answered Yes, every stored RAM address of the project is cleared so the
// next compile assigns all afresh. False when the user said No.
bool Reassign(Project& project, UserInterface& ui);

} // namespace k7
