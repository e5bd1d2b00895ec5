// The watch window: live values of up to 28 project variables read from a
// running unit, and values written back ("poke"). The unit keeps a watch
// table of 30 slots; the grid shows slots 1 to 14 on its left and 16 to 29
// on its right. Addresses come from the last clean compile.
#pragma once

#include "comm/port_setup.h"
#include "comm/project_link.h"
#include "comm/receive_pump.h"
#include "comm/serial_port.h"
#include "comm/timer.h"
#include "workspace/user_interface.h"

#include <array>
#include <functional>
#include <string>

namespace k7 {

constexpr int WatchGridColumns = 4;
constexpr int WatchGridRows = 15; // row 0 holds the titles
constexpr int WatchRightSlotOffset = 15;
constexpr int WatchPollIntervalMs = 1000;
// A reply is used only when it is at least this long.
constexpr std::size_t WatchReplyMinLength = 28;
constexpr int WatchReplyFields = 30;
// A line without a carriage return is not let grow beyond this.
constexpr std::size_t WatchLineLimit = 4096;
// Typed address texts shorter than this are system variables; they have no
// place in the unit's watch table.
constexpr std::size_t WatchAddressMinLength = 6;
constexpr std::size_t WatchNameMinLength = 3;

// Ticks of the poll that are skipped after each user action.
constexpr int PollPauseDrag = 4;
constexpr int PollPauseKey = 10;
constexpr int PollPauseDoubleClick = 2;
constexpr int PollPauseWrite = 1;

constexpr const char* WatchCaption = "Watch Window";
constexpr const char* WatchCompileErrors = "Project recompile resulted in error(s).";
inline constexpr std::array<const char*, WatchGridColumns> WatchTitles = {"VARIABLE", "VALUE",
                                                                          "VARIABLE", "VALUE"};

// The slot of a grid cell: row for the left columns, row + 15 for the
// right ones; -1 outside rows 1 to 14.
int WatchSlotOfCell(int column, int row);
bool IsWatchValueColumn(int column);

class WatchWindow : public PumpListener {
  public:
    // The window makes itself the handler of timer3 and starts it: the
    // poll runs always and sends only while the window is open.
    WatchWindow(TSeComm32& port, ReceivePump& pump, Timer& timer3, UserInterface& ui);
    ~WatchWindow() override;

    void SetSerialChoices(const SerialChoices& choices) { Choices = choices; }
    // Called after a reply line changed the value cells.
    void SetReplyListener(std::function<void()> listener) { OnReply = std::move(listener); }

    // "Watch": needs a clean compile and an open port. True when open.
    bool Open(ProjectLink& project);
    void Close();
    bool IsOpen() const { return Active; }

    // A variable dragged from one of the database lists.
    void StartDrag(const std::string& name);
    // The dragged variable dropped on a cell; drops outside the name
    // columns of rows 1 to 14 do nothing. A name without an address leaves
    // the slot unbound until a name with one is dropped there.
    void Drop(int column, int row, ProjectLink& project);
    void DoubleClick(int column, int row);
    void Click(int column, int row);
    // A key typed in the grid while (column, row) is the current cell; the
    // cell holds the text typed so far.
    void KeyPress(char key, int column, int row);
    // Typing into an editable cell.
    void SetCellText(int column, int row, const std::string& text);
    void ClearValues();
    void ClearTable();

    // One tick of Timer3.
    void PollTick();

    // Bytes of a watch reply (PumpListener).
    void WatchBytes(const std::string& bytes) override;
    void PortLost() override;

    const std::string& Cell(int column, int row) const;
    bool PokeFlag(int slot) const;
    int PollPause() const { return Pause; }
    const std::string& DraggedName() const { return Dragged; }
    const std::string& LineBuffer() const { return Line; }

  private:
    void WriteTitles();
    void ProcessReply(const std::string& line);
    void Send(const std::string& bytes);
    bool Writable(int slot) const { return slot >= 0 && !Unbound[slot]; }
    static bool InGrid(int column, int row);

    TSeComm32& Port;
    ReceivePump& Pump;
    Timer& Timer3;
    UserInterface& Ui;
    SerialChoices Choices;
    std::function<void()> OnReply;

    std::array<std::array<std::string, WatchGridColumns>, WatchGridRows> Grid;
    std::array<bool, WatchReplyFields> PokeFlags{};
    // Slots whose dropped name gave no address: the unit's slot still holds
    // the old variable, so nothing is written to it and replies do not show it.
    std::array<bool, WatchReplyFields> Unbound{};
    bool Active = false;
    int Pause = 0;
    std::string Line;
    std::string Dragged;
};

} // namespace k7
