#include "session/session.h"

#include "compiler/name_resolution.h"
#include "compiler/ram_assignment.h"
#include "session/project_compile.h"
#include "workspace/text_file.h"

#include <cstdint>

namespace k7 {

namespace {

constexpr uint32_t StatusBitMask = 0xF;

const SymbolList& ListOf(const SymbolTable& symbols, SymbolListKind kind) {
    switch (kind) {
    case SymbolListKind::Float:
        return symbols.Float;
    case SymbolListKind::Integer:
        return symbols.Integer;
    case SymbolListKind::Status:
        return symbols.Status;
    case SymbolListKind::String:
        return symbols.String;
    case SymbolListKind::Timers:
        return symbols.Timers;
    case SymbolListKind::Triggers:
        return symbols.Triggers;
    }
    return symbols.Float;
}

} // namespace

std::vector<std::string> SymbolListTitles(SymbolListKind kind) {
    std::vector<std::string> titles = {"Name", "Value", "Address"};
    if (kind == SymbolListKind::Status)
        titles.push_back("Bit");
    return titles;
}

std::string StatusBitOf(const std::string& typedAddressHex) {
    if (typedAddressHex.empty() || typedAddressHex.size() > 8)
        return {};
    uint32_t value = 0;
    for (char c : typedAddressHex) {
        const int digit = std::isxdigit(static_cast<unsigned char>(c))
                              ? (std::isdigit(static_cast<unsigned char>(c))
                                     ? c - '0'
                                     : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10)
                              : -1;
        if (digit < 0)
            return {};
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return std::to_string((value >> StatusBitShift) & StatusBitMask);
}

UnitLink::UnitLink(UserInterface& ui, TimerFactory& timers, LoadView& view,
                   std::unique_ptr<SerialDevice> device)
    : Port(ui, std::move(device)), Pump(Port, timers.CreateTimer()),
      Sequence(Port, Pump, Screen, timers.CreateTimer(), ui, view),
      Watch(Port, Pump, timers.CreateTimer(), ui) {
    Sequence.SetWatchWindow(&Watch);
}

void UnitLink::Configure(const SerialChoices& choices, const std::string& systemFolder) {
    Sequence.SetSerialChoices(choices);
    Sequence.SetSystemFolder(systemFolder);
    Watch.SetSerialChoices(choices);
}

// The open project as the download and the watch see it.
class Session::LinkedProject : public ProjectLink {
  public:
    explicit LinkedProject(Session& session) : session_(session) {}

    bool ProjectPresent() override { return session_.ProjectPresent(); }

    std::optional<std::vector<std::string>> ImageToSend() override {
        Workspace& space = session_.workspace_;
        if (!space.project.NeedCompile && session_.lastReport_.Clean)
            return ReadImageBack(space);
        if (!space.project.NeedCompile && !session_.lastCompile_)
            return ReadImageBack(space);
        if (!session_.RunLinkCompile())
            return std::nullopt;
        return session_.lastCompile_->Image.Lines;
    }

    bool CompileIfNeeded() override { return session_.LinkCompileIfNeeded(); }

    std::string LookupName(const std::string& name) override {
        if (!session_.LinkCompileIfNeeded())
            return {};
        return k7::LookupName(*session_.lastCompile_, name);
    }

  private:
    std::optional<std::vector<std::string>> ReadImageBack(Workspace& space) {
        TextFile file = ReadTextLines(space.settings.SystemFolder + ImageFileName);
        if (!file.Ok) {
            space.Ui().ShowError(file.Error);
            return std::nullopt;
        }
        return std::move(file.Lines);
    }

    Session& session_;
};

Session::Session(UserInterface& ui, std::function<std::string()> dateText)
    : workspace_(ui, std::move(dateText)), link_(std::make_unique<LinkedProject>(*this)) {
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part != ProjectPart::CompileFinished)
            compiledSinceChange_ = false;
    });
}

Session::~Session() = default;

void Session::Start(const StartOptions& options) {
    workspace_.Start(options);
}

CompileReport Session::Compile(ProgressPanel& progress, const CompileRequest& request) {
    const std::string date = request.DateText.empty() ? workspace_.DateText() : request.DateText;
    CompileOptions options = WorkspaceCompileOptions(workspace_.settings, date);
    if (!request.ImagePath.empty())
        options.ImagePath = request.ImagePath;
    lastCompile_.reset();
    auto context =
        std::make_unique<CompileContext>(workspace_.project, workspace_.library, options);
    // The compile marks the project changed at every address it assigns;
    // the views hear of it once, when the compile is over.
    context->MarkChanged = [this] {
        k7::MarkProjectChanged(workspace_.project);
        workspace_.shell.SaveEnabled = true;
    };

    CompileReport report;
    report.Outcome = CompileProject(*context, progress);
    report.ErrorList = context->ErrorList;
    report.StatusMessage = context->StatusMessage;
    report.NewAddressesAssigned = context->NewAddressesAssigned;
    report.ImageSaveError = context->ImageSaveError;
    report.RamUsed = context->RamUsed;
    report.FlashUsed = context->FlashUsed;
    report.Clean = report.Outcome == CompileOutcome::Clean && report.ImageSaveError.empty();

    if (!report.ImageSaveError.empty() && request.ShowSaveError)
        workspace_.Ui().ShowError(report.ImageSaveError);
    workspace_.shell.CompileEnabled = !report.Clean;
    workspace_.shell.ListErrorsEnabled = !report.Clean;

    lastCompile_ = std::move(context);
    lastReport_ = report;
    compiledSinceChange_ = true;
    workspace_.notices.Notify(ProjectPart::CompileFinished);
    return report;
}

bool Session::RunLinkCompile() {
    ProgressPanel quiet;
    const CompileReport report = Compile(linkProgress_ ? *linkProgress_ : quiet, linkRequest_);
    if (linkCompileListener_)
        linkCompileListener_(report);
    return report.Clean;
}

// A compile that failed is not repeated for every name the watch looks
// up; a change to the project lets the next look-up compile again.
bool Session::LinkCompileIfNeeded() {
    if (lastCompile_ && (!workspace_.project.NeedCompile || compiledSinceChange_))
        return lastReport_.Clean;
    return RunLinkCompile();
}

std::vector<SymbolListRow> Session::SymbolListRows(SymbolListKind kind) const {
    std::vector<SymbolListRow> rows;
    if (!lastCompile_)
        return rows;
    for (const SymbolRow& symbol : ListOf(lastCompile_->Symbols, kind).Rows()) {
        SymbolListRow row{symbol.Name, symbol.Value, symbol.Address, {}};
        if (kind == SymbolListKind::Status)
            row.Bit = StatusBitOf(symbol.Address);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool Session::Reassign() {
    if (!k7::Reassign(workspace_.project, workspace_.Ui()))
        return false;
    workspace_.MarkProjectChanged(ProjectPart::Modules);
    return true;
}

bool Session::ProjectPresent() const {
    return workspace_.ProjectOpened() || workspace_.project.ModuleCount() > 1;
}

UnitLink& Session::Unit(TimerFactory& timers, LoadView& view,
                        std::unique_ptr<SerialDevice> device) {
    if (!unit_) {
        unit_ = std::make_unique<UnitLink>(workspace_.Ui(), timers, view, std::move(device));
        unit_->Configure(SerialChoicesOf(workspace_.settings), workspace_.settings.SystemFolder);
    }
    return *unit_;
}

} // namespace k7
