#include "comm/receive_pump.h"

#include "comm/tavro_frame.h"

namespace k7 {

namespace {

bool IsStartByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == FrameStartByte || byte == ReplyStartByte;
}

} // namespace

ReceivePump::ReceivePump(TSeComm32& port, Timer& timer1) : Port(port), Timer1(timer1) {
    Timer1.SetHandler([this] { Tick(); });
}

void ReceivePump::Start() {
    Timer1.SetInterval(ReceivePumpIntervalMs);
    Timer1.SetEnabled(true);
}

void ReceivePump::Stop() {
    Timer1.SetEnabled(false);
}

bool ReceivePump::Running() const {
    return Timer1.Enabled();
}

void ReceivePump::Tick() {
    // A port that closed under the pump (its device went away) must not be
    // asked again: a closed port raises its dialog on every question.
    const int waiting = Port.PortOpen() ? Port.CharCount() : 0;
    if (!Port.PortOpen()) {
        Stop();
        if (Listener)
            Listener->PortLost();
        return;
    }
    if (waiting < 1)
        return;
    const std::string bytes = Port.ReadString();
    if (bytes.empty())
        return;
    if (Mode == ComModeCrc) {
        AcceptFrameBytes(bytes);
    } else if (Listener) {
        if (Watching)
            Listener->WatchBytes(bytes);
        else
            Listener->TerminalBytes(bytes);
    }
}

void ReceivePump::DropBytesBeforeStart() {
    std::size_t first = 0;
    while (first < Pending.size() && !IsStartByte(Pending[first]))
        ++first;
    Pending.erase(0, first);
}

// Nothing is decided before eight bytes have gathered; then noise before a
// start byte is dropped, and once the declared length is present the frame
// is checked. Whatever the outcome the accumulator is emptied, so bytes
// that came after the frame in the same accumulation are discarded.
void ReceivePump::AcceptFrameBytes(const std::string& bytes) {
    Pending += bytes;
    if (Pending.size() < MinFrameLength)
        return;
    DropBytesBeforeStart();
    if (Pending.size() <= 5)
        return;
    const std::size_t declared = static_cast<unsigned char>(Pending[1]);
    // A declared length of 0 or 1 cannot hold its own CRC: the frame is
    // dropped like one whose CRC fails.
    if (declared >= 2 && Pending.size() < declared)
        return;
    if (FrameCheckMatches(Pending, declared)) {
        Reply = Pending.substr(0, declared);
        Pending.clear();
        if (Listener)
            Listener->ReplyArrived(std::string(Reply));
        return;
    }
    Pending.clear();
}

} // namespace k7
