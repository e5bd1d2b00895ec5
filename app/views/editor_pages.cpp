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
    // A pick in the arrays panel opens the workbox on that message; a
    // workbox Save reaches the lists through the change notices.
    QObject::connect(pages.Arrays, &CommunArraysPanel::workboxOpened, pages.WorkboxPanel,
                     &TlmWorkboxPanel::Refresh);
    pages.Displays = new DisplayPage(workspace);
    pages.Tables = new TablePage(workspace);
    pages.Speech = new SpeechPage(workspace, MakeWorkstationVoice());
    tabs.addTab(pages.Ladder, QObject::tr("Ladder"));
    tabs.addTab(pages.Telemetry, QObject::tr("Telemetry"));
    tabs.addTab(pages.Displays, QObject::tr("Displays"));
    tabs.addTab(pages.Tables, QObject::tr("Tables"));
    tabs.addTab(pages.Speech, QObject::tr("Speech"));
    // Opening the ladder page picks the coil tool again; what the pages
    // show is already current, so a page switch rebuilds nothing.
    LadderPage* ladder = pages.Ladder;
    QObject::connect(&tabs, &QTabWidget::currentChanged, ladder, [&tabs, ladder](int index) {
        if (tabs.widget(index) == ladder)
            ladder->OpenPage();
    });
    return pages;
}

} // namespace k7
