#include "app/views/editor_pages.h"

#include "app/views/commun_arrays_panel.h"
#include "app/views/display_page.h"
#include "app/views/ladder_page.h"
#include "app/views/speech_page.h"
#include "app/views/table_page.h"
#include "app/views/telemetry_arrays_view.h"
#include "app/views/tlm_workbox_panel.h"

#include <QDialog>
#include <QTabWidget>
#include <QVBoxLayout>

namespace k7 {

void EditorPages::Reload() {
    Ladder->Reload();
    Arrays->Reload();
    WorkboxPanel->Refresh();
    WholeArrays->Reload();
    Displays->Reload();
    Tables->Reload();
    Speech->Reload();
}

void EditorPages::ProjectReplaced() {
    Workbox->Reset();
    Displays->Editor().Reset();
    Tables->Editor().Reset();
    Tables->EditorArea()->hide();
    Speech->Editor().Reset();
    Speech->FormatDialog()->hide();
    Reload();
}

EditorPages AddEditorPages(QTabWidget& tabs, Workspace& workspace) {
    EditorPages pages;
    pages.Workbox = std::make_unique<TlmWorkbox>(workspace);
    pages.Ladder = new LadderPage(workspace);
    pages.Telemetry = new QWidget;
    // The arrays panel lives on the module library's "Commun." tab; its
    // picks show this page.
    pages.Arrays = new CommunArraysPanel(workspace, *pages.Workbox);
    pages.WorkboxPanel = new TlmWorkboxPanel(workspace, *pages.Workbox);
    pages.WholeArrays = new TelemetryArraysView(workspace);
    auto* layout = new QVBoxLayout(pages.Telemetry);
    layout->addWidget(pages.WorkboxPanel, 1);
    layout->addWidget(pages.WholeArrays, 1);
    TlmWorkboxPanel* panel = pages.WorkboxPanel;
    CommunArraysPanel* arrays = pages.Arrays;
    TelemetryArraysView* whole = pages.WholeArrays;
    QObject::connect(arrays, &CommunArraysPanel::workboxOpened, panel, &TlmWorkboxPanel::Refresh);
    QObject::connect(panel, &TlmWorkboxPanel::arraysChanged, arrays, [arrays, whole] {
        arrays->Reload();
        whole->Reload();
    });
    pages.Displays = new DisplayPage(workspace);
    pages.Tables = new TablePage(workspace);
    pages.Speech = new SpeechPage(workspace, MakeWorkstationVoice());
    tabs.addTab(pages.Ladder, QObject::tr("Ladder"));
    tabs.addTab(pages.Telemetry, QObject::tr("Telemetry"));
    tabs.addTab(pages.Displays, QObject::tr("Displays"));
    tabs.addTab(pages.Tables, QObject::tr("Tables"));
    tabs.addTab(pages.Speech, QObject::tr("Speech"));
    // A compile writes RAM addresses into the arrays and the check's
    // findings follow the ladder: each page shows them afresh when opened.
    LadderPage* ladder = pages.Ladder;
    QWidget* telemetry = pages.Telemetry;
    QObject::connect(&tabs, &QTabWidget::currentChanged, ladder,
                     [&tabs, ladder, telemetry, arrays, whole](int index) {
                         if (tabs.widget(index) == ladder)
                             ladder->OpenPage();
                         if (tabs.widget(index) == telemetry) {
                             arrays->Reload();
                             whole->Reload();
                         }
                     });
    return pages;
}

} // namespace k7
