// The main window's unit commands: "Send Pgm", "Send OS", "Stop Pgm",
// "Remote Load", "Terminal" and "Send RTC", the terminal page they show,
// the progress panel's Cancel during a load, the device side of
// Communications Setup (the port map and the virtual unit) and the close
// of the port when the window closes. The rules are the core's; this
// forwards what the person did and shows what the load changed.
#pragma once

#include "comm/clock_set.h"
#include "comm/port_map.h"
#include "comm/timer.h"
#include "session/session.h"

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace k7 {

class MainWindow;
class TerminalPage;

// Timers whose every tick is followed by one call: the terminal page then
// shows what the tick changed (the load switches "Com Mode:" and adds
// lines without a notice of its own).
class TickFollowingTimers : public TimerFactory {
  public:
    explicit TickFollowingTimers(TimerFactory& inner);
    ~TickFollowingTimers() override;
    Timer& CreateTimer() override;
    std::function<void()> afterTick;

  private:
    class FollowedTimer;
    TimerFactory& inner_;
    std::vector<std::unique_ptr<FollowedTimer>> timers_;
};

class UnitLinkCommands : public QObject {
    Q_OBJECT

  public:
    UnitLinkCommands(MainWindow& window, Session& session);
    ~UnitLinkCommands() override;

    // The timers the unit link is made with; called once, before LinkMade.
    TimerFactory& Timers(TimerFactory& windowTimers);
    // The unit link was just made: the port map is read into its port.
    void LinkMade(UnitLink& link);

    // fromToolBar: the tool bar's button first hides the compiler status.
    void SendProgram(bool fromToolBar);
    void SendOs();
    void StopProgram();
    // Opens the terminal and shows the "Send Program to Remote" panel.
    void RemoteLoad();
    void OpenTerminal();
    void SendClock();
    void CloseTerminal();
    // The main window closes: the terminal and the port close, the
    // virtual unit stops.
    void CloseForExit();

    TerminalPage* Page() const { return page_; }
    PortMap& Ports();
    // Where k7sim is found for "Virtual unit" (tests give the built one).
    void SetVirtualUnitProgram(const std::string& path) { simulatorProgram_ = path; }
    // The workstation's clock for "Send RTC" (tests give a fixed moment).
    void SetClock(std::function<ClockReading()> clock) { clock_ = std::move(clock); }
    // Runs a command that may compile, with the window busy meanwhile.
    std::function<void(const std::function<void()>&)> runBusy;

  private:
    UnitLink& Unit();
    void Configure();
    void ShowTerminal(bool visible);
    void AfterTick();
    void ShowLinkCompile(const CompileReport& report);
    void WireCommunicationsSetup();
    void CloseLineInUse();

    MainWindow& window_;
    Session& session_;
    TerminalPage* page_;
    std::unique_ptr<TickFollowingTimers> timers_;
    std::unique_ptr<PortMap> ports_;
    std::string simulatorProgram_;
    std::function<ClockReading()> clock_ = ReadLocalClock;
    bool textChanged_ = false;
};

} // namespace k7
