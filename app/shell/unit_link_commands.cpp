#include "app/shell/unit_link_commands.h"

#include "app/shell/main_window.h"
#include "app/shell/progress_panel_widget.h"
#include "app/shell/window_load_view.h"
#include "app/views/communications_setup_panel.h"
#include "app/views/remote_load_panel.h"
#include "app/views/terminal_page.h"
#include "comm/port_setup.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace k7 {

class TickFollowingTimers::FollowedTimer : public Timer {
  public:
    FollowedTimer(Timer& inner, TickFollowingTimers& owner) : inner_(inner), owner_(owner) {}
    ~FollowedTimer() override { inner_.SetHandler(nullptr); }

    void SetHandler(std::function<void()> handler) override {
        if (!handler) {
            inner_.SetHandler(nullptr);
            return;
        }
        inner_.SetHandler([this, handler = std::move(handler)] {
            handler();
            if (owner_.afterTick)
                owner_.afterTick();
        });
    }
    void SetInterval(int milliseconds) override { inner_.SetInterval(milliseconds); }
    int Interval() const override { return inner_.Interval(); }
    void SetEnabled(bool enabled) override { inner_.SetEnabled(enabled); }
    bool Enabled() const override { return inner_.Enabled(); }

  private:
    Timer& inner_;
    TickFollowingTimers& owner_;
};

TickFollowingTimers::TickFollowingTimers(TimerFactory& inner) : inner_(inner) {}

TickFollowingTimers::~TickFollowingTimers() = default;

Timer& TickFollowingTimers::CreateTimer() {
    timers_.push_back(std::make_unique<FollowedTimer>(inner_.CreateTimer(), *this));
    return *timers_.back();
}

UnitLinkCommands::UnitLinkCommands(MainWindow& window, Session& session)
    : QObject(&window), window_(window), session_(session), page_(new TerminalPage(&window)) {
    QTabWidget* pages = window_.Pages();
    pages->addTab(page_, tr("Terminal"));
    pages->setTabVisible(pages->indexOf(page_), false);

    WindowLoadView& view = window_.LoadViewOfWindow();
    view.onShowTerminalPage = [this](bool visible) { ShowTerminal(visible); };
    view.onHideRemotePanel = [this] { page_->RemotePanel()->hide(); };
    view.onTerminalText = [this](const std::string&) { textChanged_ = true; };
    view.onShowProgress = [this](bool visible) {
        window_.Progress()->parentWidget()->setVisible(visible);
    };

    page_->onSendProgram = [this] { SendProgram(false); };
    page_->onSendOs = [this] { SendOs(); };
    page_->onStopProgram = [this] { StopProgram(); };
    page_->onSendClock = [this] { SendClock(); };
    page_->onClose = [this] { CloseTerminal(); };
    page_->onComModeChosen = [this](int mode) { Unit().Pump.SetComMode(mode); };
    page_->Text()->onKey = [this](char key) {
        UnitLink& unit = Unit();
        unit.Screen.TerminalKey(key, unit.Port);
        textChanged_ = true;
        AfterTick();
    };
    page_->RemotePanel()->onStart = [this](const RemoteLoadParams& params) {
        Configure();
        Unit().Sequence.StartRemoteLoad(params, session_.Link());
        AfterTick();
    };

    // Cancel on the shared panel ends a running load at its next tick.
    connect(window_.Progress()->CancelButton(), &QPushButton::clicked, this, [this] {
        if (UnitLink* unit = session_.Unit(); unit && unit->Sequence.Running())
            unit->Sequence.CancelLoad();
    });
    session_.SetLinkProgress(window_.Progress());
    session_.SetLinkCompileListener(
        [this](const CompileReport& report) { ShowLinkCompile(report); });
    WireCommunicationsSetup();
}

UnitLinkCommands::~UnitLinkCommands() = default;

TimerFactory& UnitLinkCommands::Timers(TimerFactory& windowTimers) {
    timers_ = std::make_unique<TickFollowingTimers>(windowTimers);
    timers_->afterTick = [this] { AfterTick(); };
    return *timers_;
}

void UnitLinkCommands::LinkMade(UnitLink& link) {
    const std::string program =
        !simulatorProgram_.empty()
            ? simulatorProgram_
            : FindVirtualUnitProgram(QCoreApplication::applicationDirPath().toStdString() + "/");
    ports_ = std::make_unique<PortMap>(
        link.Port, session_.Space().settings.ProgramFolder + PortNamesFileName, program);
    const std::string problem = ports_->Load();
    if (!problem.empty())
        session_.Ui().ShowError(problem);
}

UnitLink& UnitLinkCommands::Unit() {
    return window_.Unit();
}

PortMap& UnitLinkCommands::Ports() {
    Unit();
    return *ports_;
}

// The Communications Setup and Preferences choices as they stand now.
void UnitLinkCommands::Configure() {
    const WorkspaceSettings& settings = session_.Space().settings;
    Unit().Configure(SerialChoicesOf(settings), settings.SystemFolder);
}

void UnitLinkCommands::SendProgram(bool fromToolBar) {
    if (fromToolBar)
        window_.CompilerStatusPanel()->hide();
    Configure();
    QWidget* progressPanel = window_.Progress()->parentWidget();
    const bool compiles = session_.Space().project.NeedCompile;
    auto send = [this] { Unit().Sequence.SendProgram(session_.Link()); };
    if (compiles) {
        window_.Progress()->Reset();
        progressPanel->show();
    }
    if (runBusy)
        runBusy(send);
    else
        send();
    // The load shows the panel again once its lines go out.
    if (compiles)
        progressPanel->hide();
    AfterTick();
}

void UnitLinkCommands::SendOs() {
    Configure();
    Unit().Sequence.SendOs();
    AfterTick();
}

void UnitLinkCommands::StopProgram() {
    Configure();
    Unit().Sequence.StopProgram();
    AfterTick();
}

void UnitLinkCommands::RemoteLoad() {
    OpenTerminal();
    if (Unit().Port.PortOpen())
        page_->RemotePanel()->show();
}

void UnitLinkCommands::OpenTerminal() {
    Configure();
    Unit().Sequence.OpenTerminal();
    AfterTick();
}

void UnitLinkCommands::SendClock() {
    UnitLink& unit = Unit();
    k7::SendClock(unit.Port, unit.Screen, clock_());
    textChanged_ = true;
    AfterTick();
    page_->Text()->setFocus();
}

void UnitLinkCommands::CloseTerminal() {
    Unit().Sequence.CloseTerminal();
    AfterTick();
}

void UnitLinkCommands::CloseForExit() {
    UnitLink* unit = session_.Unit();
    if (unit && (unit->Port.PortOpen() || unit->Sequence.Running()))
        unit->Sequence.CloseTerminal();
    if (ports_)
        ports_->Simulator().Stop();
}

void UnitLinkCommands::ShowTerminal(bool visible) {
    QTabWidget* pages = window_.Pages();
    pages->setTabVisible(pages->indexOf(page_), visible);
    if (visible) {
        pages->setCurrentWidget(page_);
        page_->Text()->setFocus();
    }
    textChanged_ = true;
}

// Only what changed is redrawn: this runs after every tick of the 1 ms
// receive pump.
void UnitLinkCommands::AfterTick() {
    UnitLink* unit = session_.Unit();
    if (!unit)
        return;
    if (textChanged_) {
        textChanged_ = false;
        page_->ShowText(unit->Screen.Text());
    }
    page_->ShowComMode(unit->Pump.ComMode());
    page_->ShowUnitVersion(unit->Screen.UnitOsVersion());
}

// A compile started by Send leaves its error list in the compiler status
// panel, as the Compile command does.
void UnitLinkCommands::ShowLinkCompile(const CompileReport& report) {
    QListWidget* list = window_.ErrorListView();
    list->clear();
    for (const std::string& error : report.ErrorList) {
        auto* item = new QListWidgetItem(QString::fromStdString(error), list);
        item->setForeground(report.Clean ? Qt::darkGreen : Qt::red);
    }
    window_.CompilerStatusPanel()->setVisible(!report.Clean);
}

// A line the port may be using is closed before the device changes under it.
void UnitLinkCommands::CloseLineInUse() {
    UnitLink& unit = Unit();
    if (unit.Watch.IsOpen())
        unit.Watch.Close();
    if (unit.Port.PortOpen() || unit.Sequence.Running())
        unit.Sequence.CloseTerminal();
    AfterTick();
}

void UnitLinkCommands::WireCommunicationsSetup() {
    CommunicationsSetupPanel* panel = window_.CommunicationsSetup();
    panel->deviceFor = [this](int port) { return Ports().DeviceFor(port); };
    panel->onDeviceChosen = [this](int port, const std::string& device) {
        const std::string problem = Ports().SetDevice(port, device);
        if (!problem.empty())
            session_.Ui().ShowError(problem);
    };
    panel->onPortChosen = [this, panel] {
        if (!ports_ || !ports_->Simulator().Running())
            return;
        CloseLineInUse();
        ports_->UseComPort();
        panel->ShowVirtualUnit({});
    };
    panel->onVirtualUnit = [this, panel](bool on) {
        CloseLineInUse();
        if (!on) {
            Ports().UseComPort();
            panel->ShowVirtualUnit({});
            return;
        }
        const std::string problem = Ports().UseVirtualUnit();
        if (!problem.empty())
            session_.Ui().ShowError(problem);
        panel->ShowVirtualUnit(problem.empty() ? Ports().Simulator().DevicePath() : "");
    };
}

} // namespace k7
