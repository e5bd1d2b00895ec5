// The pages of the ladder, telemetry, display, table and speech editors,
// added to the main window's page tabs, with the workbox they share. Each
// page shows the project again from the change notices of its parts.
#pragma once

#include "workspace/tlm_workbox.h"

#include <memory>

class QTabWidget;
class QWidget;

namespace k7 {

class CommunArraysPanel;
class DisplayPage;
class LadderPage;
class SpeechPage;
class TablePage;
class TelemetryArraysView;
class TlmWorkboxPanel;

struct EditorPages {
    std::unique_ptr<TlmWorkbox> Workbox;
    LadderPage* Ladder = nullptr;
    QWidget* Telemetry = nullptr; // the workbox and the whole arrays
    // On the module library's "Commun." tab.
    CommunArraysPanel* Arrays = nullptr;
    TlmWorkboxPanel* WorkboxPanel = nullptr;
    TelemetryArraysView* WholeArrays = nullptr;
    DisplayPage* Displays = nullptr;
    TablePage* Tables = nullptr;
    SpeechPage* Speech = nullptr;
};

// Adds the pages to tabs; opening the ladder tab opens the ladder page.
EditorPages AddEditorPages(QTabWidget& tabs, Workspace& workspace);

} // namespace k7
