// ReceivePump: the handler of Timer1 (1 ms while the terminal or the watch
// window uses the port). It takes the bytes waiting at the port and, by
// ComMode, hands ASCII text to the terminal or the watch, or assembles
// TAVRO reply frames and keeps the last CRC-valid one as ReplyFrame.
#pragma once

#include "comm/serial_port.h"
#include "comm/timer.h"

#include <string>

namespace k7 {

enum ComModes { ComModeAscii = 0, ComModeCrc = 1 };

constexpr int ReceivePumpIntervalMs = 1;

// Where received bytes go. The desktop program forwards them to the
// terminal, the watch window and the download sequence.
class PumpListener {
  public:
    virtual ~PumpListener() = default;
    // ASCII mode, watch window closed: the terminal's TerminalOutput.
    virtual void TerminalBytes(const std::string& /*bytes*/) {}
    // ASCII mode, watch window active: the watch-reply collector.
    virtual void WatchBytes(const std::string& /*bytes*/) {}
    // A CRC-valid frame is now ReplyFrame: the download sequence wakes up.
    virtual void ReplyArrived(const std::string& /*frame*/) {}
    // The device went away; the port is closed and the pump has stopped.
    virtual void PortLost() {}
};

class ReceivePump {
  public:
    // The pump makes itself the handler of timer1.
    ReceivePump(TSeComm32& port, Timer& timer1);

    void SetListener(PumpListener* listener) { Listener = listener; }
    void Start();
    void Stop();
    bool Running() const;

    // One tick of Timer1.
    void Tick();

    int ComMode() const { return Mode; }
    void SetComMode(int mode) { Mode = mode == ComModeCrc ? ComModeCrc : ComModeAscii; }
    bool WatchActive() const { return Watching; }
    void SetWatchActive(bool active) { Watching = active; }

    const std::string& Accumulator() const { return Pending; }
    void ClearAccumulator() { Pending.clear(); }
    // The last CRC-valid frame, CRC included; empty when none is pending.
    const std::string& ReplyFrame() const { return Reply; }
    void ClearReplyFrame() { Reply.clear(); }

  private:
    void AcceptFrameBytes(const std::string& bytes);
    void DropBytesBeforeStart();

    TSeComm32& Port;
    Timer& Timer1;
    PumpListener* Listener = nullptr;
    int Mode = ComModeAscii;
    bool Watching = false;
    std::string Pending;
    std::string Reply;
};

} // namespace k7
