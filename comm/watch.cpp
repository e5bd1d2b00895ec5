#include "comm/watch.h"

#include "comm/ascii_messages.h"

namespace k7 {

int WatchSlotOfCell(int column, int row) {
    if (row < 1 || row >= WatchGridRows || column < 0 || column >= WatchGridColumns)
        return -1;
    return column < 2 ? row : row + WatchRightSlotOffset;
}

bool IsWatchValueColumn(int column) {
    return column == 1 || column == 3;
}

namespace {

// The cells of a slot: name column and value column, and the row.
int NameColumnOfSlot(int slot) {
    return slot < WatchRightSlotOffset ? 0 : 2;
}
int RowOfSlot(int slot) {
    return slot < WatchRightSlotOffset ? slot : slot - WatchRightSlotOffset;
}

// Typed values are sent as typed; a control byte would end or break the
// unit's command line, so such text is not sent.
bool SendableValue(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

} // namespace

WatchWindow::WatchWindow(TSeComm32& port, ReceivePump& pump, Timer& timer3, UserInterface& ui)
    : Port(port), Pump(pump), Timer3(timer3), Ui(ui) {
    Timer3.SetHandler([this] { PollTick(); });
    Timer3.SetInterval(WatchPollIntervalMs);
    Timer3.SetEnabled(true);
}

WatchWindow::~WatchWindow() {
    Timer3.SetEnabled(false);
    Timer3.SetHandler(nullptr);
}

bool WatchWindow::InGrid(int column, int row) {
    return column >= 0 && column < WatchGridColumns && row >= 0 && row < WatchGridRows;
}

const std::string& WatchWindow::Cell(int column, int row) const {
    static const std::string none;
    return InGrid(column, row) ? Grid[row][column] : none;
}

bool WatchWindow::PokeFlag(int slot) const {
    return slot >= 0 && slot < WatchReplyFields && PokeFlags[slot];
}

void WatchWindow::WriteTitles() {
    for (int column = 0; column < WatchGridColumns; ++column)
        Grid[0][column] = WatchTitles[column];
}

bool WatchWindow::Open(ProjectLink& project) {
    if (!project.CompileIfNeeded()) {
        Ui.ShowError(WatchCompileErrors);
        return false;
    }
    Pump.SetListener(this);
    if (!SetupPort(Port, Pump, Choices))
        return false;
    Pause = 0;
    Active = true;
    Pump.SetComMode(ComModeAscii);
    Pump.SetWatchActive(true);
    Line.clear();
    WriteTitles();
    return true;
}

void WatchWindow::Close() {
    Active = false;
    Pump.SetWatchActive(false);
    Pump.Stop();
    Port.ClosePort();
}

void WatchWindow::PortLost() {
    Active = false;
    Pump.SetWatchActive(false);
}

void WatchWindow::StartDrag(const std::string& name) {
    Dragged = name;
    Pause = PollPauseDrag;
}

void WatchWindow::Drop(int column, int row, ProjectLink& project) {
    if (row < 1 || row >= WatchGridRows || (column != 0 && column != 2))
        return;
    const int slot = WatchSlotOfCell(column, row);
    Grid[row][column] = Dragged;
    const std::string address =
        Dragged.size() < WatchNameMinLength ? std::string() : project.LookupName(Dragged);
    if (address.size() >= WatchAddressMinLength) {
        PokeFlags[slot] = false;
        Unbound[slot] = false;
        Send(WatchLoadAddress(slot, address));
        Pause = PollPauseWrite;
        return;
    }
    // The unit's slot keeps the old variable: take it out of poke mode and
    // stop showing and writing it.
    if (PokeFlags[slot] && !Unbound[slot])
        Send(WatchPokeOff(slot));
    PokeFlags[slot] = false;
    Unbound[slot] = true;
    Grid[row][column + 1].clear();
}

void WatchWindow::DoubleClick(int column, int row) {
    const int slot = WatchSlotOfCell(column, row);
    if (!Writable(slot) || !IsWatchValueColumn(column))
        return;
    PokeFlags[slot] = !PokeFlags[slot];
    Send(PokeFlags[slot] ? WatchPokeOn(slot) : WatchPokeOff(slot));
    Pause = PollPauseDoubleClick;
}

// In poke mode a status value toggles with one click.
void WatchWindow::Click(int column, int row) {
    const int slot = WatchSlotOfCell(column, row);
    if (!Writable(slot) || !IsWatchValueColumn(column))
        return;
    std::string& value = Grid[row][column];
    if (PokeFlags[slot]) {
        if (value == "1") {
            value = "0";
            Send(WatchWriteValue(slot, "0"));
        } else if (value == "0") {
            value = "1";
            Send(WatchWriteValue(slot, "1"));
        }
    }
    Pause = PollPauseWrite;
}

void WatchWindow::KeyPress(char key, int column, int row) {
    Pause = PollPauseKey;
    if (key != '\r' && key != 0x0B)
        return;
    const int slot = WatchSlotOfCell(column, row);
    if (!Writable(slot) || !IsWatchValueColumn(column))
        return;
    const std::string& typed = Grid[row][column];
    if (!SendableValue(typed))
        return;
    Send(WatchWriteValue(slot, typed));
    Pause = PollPauseWrite;
}

void WatchWindow::SetCellText(int column, int row, const std::string& text) {
    if (InGrid(column, row) && row >= 1)
        Grid[row][column] = text;
}

void WatchWindow::ClearValues() {
    for (int row = 1; row < WatchGridRows; ++row) {
        Grid[row][1].clear();
        Grid[row][3].clear();
    }
}

void WatchWindow::ClearTable() {
    PokeFlags.fill(false);
    Unbound.fill(false);
    for (int row = 1; row < WatchGridRows; ++row)
        for (auto& cell : Grid[row])
            cell.clear();
    WriteTitles();
    Send(WatchClearTable());
}

void WatchWindow::PollTick() {
    if (Pause > 0) {
        Pause -= 1;
        return;
    }
    if (Active)
        Send(WatchRequestValues());
}

void WatchWindow::WatchBytes(const std::string& bytes) {
    for (char c : bytes) {
        if (c == '\r') {
            if (!Line.empty())
                ProcessReply(Line);
            Line.clear();
        } else if (c == '\n') {
            continue;
        } else if (c == '?') {
            Line.assign(1, '?');
        } else if (static_cast<unsigned char>(c) >= 0x20 && Line.size() < WatchLineLimit) {
            Line += c;
        }
    }
}

// "?" and the values of slots 0 to 29 separated by commas; the values of
// slots 0 and 15 have no cell. Values are shown as the unit formats them.
void WatchWindow::ProcessReply(const std::string& line) {
    if (line.size() < WatchReplyMinLength || line[0] != '?')
        return;
    std::size_t at = 1;
    for (int field = 1; field <= WatchReplyFields; ++field) {
        std::string value;
        if (at <= line.size()) {
            const std::size_t comma = line.find(',', at);
            const std::size_t end = comma == std::string::npos ? line.size() : comma;
            value = line.substr(at, end - at);
            at = comma == std::string::npos ? line.size() + 1 : comma + 1;
        }
        const int slot = field - 1;
        if (slot == 0 || slot == WatchRightSlotOffset)
            continue;
        const int row = RowOfSlot(slot);
        const int nameColumn = NameColumnOfSlot(slot);
        if (!Grid[row][nameColumn].empty() && !Unbound[slot])
            Grid[row][nameColumn + 1] = value;
    }
    if (OnReply)
        OnReply();
}

void WatchWindow::Send(const std::string& bytes) {
    Port.WriteString(bytes);
}

} // namespace k7
