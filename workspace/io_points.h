// I/O points: how an I/O module instance is tied to one channel of a card
// (channel, card and cage in its first three values), where that channel
// shows in the slot's channel list, what a click on a channel line starts,
// and the consistency check over all I/O instances.
#pragma once

#include "workspace/card_types.h"

#include <optional>
#include <string>
#include <vector>

namespace k7 {

class ModuleLibrary;
struct Project;
struct TModuleInst;
struct CageModel;

// The I/O kind an instance of this module number is bound to, IoNone when
// the number is not an I/O module: 1, 55 AI; 3 AO; 2, 12, 56, 154 DI;
// 4, 44, 155 DO. (The module type must also have TypeCode 1.)
IoKind IoKindOfModule(int moduleNumber);

// Channels a card type has of one kind.
int ChannelCount(const TCardType& card, IoKind kind);

// Line 0..8 of the slot's channel list that shows channel `channel` of kind
// `kind` on a card of type `code`; -1 when that lands outside the list.
int ChannelLineIndex(int code, IoKind kind, int channel);

// The number an instance value gives as a channel, card or cage: its decimal
// value when it is a plain integer (digits, optionally "-"), 0 otherwise.
int IoNumber(const std::string& value);

// Where an I/O instance is bound, read from Values[1..3].
struct IoBinding {
    IoKind Kind = IoNone;
    int Channel = 0; // Values[1]
    int Card = 0;    // Values[2], the slot
    int Cage = 0;    // Values[3]
};

// The binding of an I/O instance: module number below 9000, module type
// with TypeCode 1 and an I/O module number; nothing for other instances.
std::optional<IoBinding> IoBindingOf(const TModuleInst& instance, const ModuleLibrary& library);

// Messages of the check, each the rule's text followed by the instance name.
constexpr const char* CageRangeMessage = "Missing or out of range cage number in ";
constexpr const char* CardRangeMessage = "Missing or out of range card number in ";
constexpr const char* NoCardMessage = "No card assigned corresponding to ";
constexpr const char* ChannelRangeMessage =
    "Missing or out of range channel number for card type in ";

struct IoCheckResult {
    std::vector<std::string> Messages; // one per instance in error, in instance order

    int ErrorCount() const { return static_cast<int>(Messages.size()); }
    bool Clean() const { return Messages.empty(); }
};

// Checking mode (the card panel is hidden; the compiler runs it): one
// message per I/O instance whose cage, card, card type or channel is wrong.
IoCheckResult CheckIoPoints(const Project& project, const ModuleLibrary& library);

// Drawing mode (the card panel is visible): the name of every I/O instance
// bound to a channel of the shown cage replaces that channel's line.
void CheckIoPoints(const Project& project, const ModuleLibrary& library, CageModel& shown);

// A channel picked on the cage view, kept until the instance editor closes.
struct PendingIoPoint {
    int Channel = 0;
    int Slot = 0;
    int Cage = 0;

    bool operator==(const PendingIoPoint&) const = default;
};

enum class IoPickAction {
    Nothing,      // not a channel of this card
    OpenInstance, // the line shows an existing instance: edit it
    ChooseModule  // a free channel: offer the module types of its kind
};

struct IoPick {
    IoPickAction Action = IoPickAction::Nothing;
    int Instance = -1; // OpenInstance: index into Project::Modules
    IoKind Kind = IoNone;
    PendingIoPoint Point; // ChooseModule: values 1, 2, 3 of the new instance
    // ChooseModule: the question and the library module names offered. For
    // an analog output there is no question and the one type is "Analog output".
    std::string ChoiceTitle;
    std::vector<std::string> Choices;
};

// A click on line `line` (0..8) of slot `slot` (1..8) of the shown cage.
// The card panel closes when the result is not Nothing.
IoPick PickIoPoint(const Project& project, const CageModel& shown, int slot, int line);

} // namespace k7
