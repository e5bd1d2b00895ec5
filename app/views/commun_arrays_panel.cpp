#include "app/views/commun_arrays_panel.h"

#include "workspace/tlm_workbox.h"
#include "workspace/workspace.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

CommunArraysPanel::CommunArraysPanel(Workspace& workspace, TlmWorkbox& workbox, QWidget* parent)
    : QWidget(parent), workspace_(workspace), workbox_(workbox) {
    newRx_ = new QPushButton(tr("New Rx Array"));
    newTx_ = new QPushButton(tr("New Tx Array"));
    rxList_ = new QListWidget;
    txList_ = new QListWidget;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(newRx_);
    layout->addWidget(newTx_);
    layout->addWidget(new QLabel(tr("RX Arrays In Project:")));
    layout->addWidget(rxList_);
    layout->addWidget(new QLabel(tr("TX Arrays In Project:")));
    layout->addWidget(txList_);

    auto open = [this](TlmArrayKind kind) {
        if (workbox_.Open(kind))
            emit workboxOpened();
    };
    connect(newRx_, &QPushButton::clicked, this, [open] { open(TlmArrayKind::Rx); });
    connect(newTx_, &QPushButton::clicked, this, [open] { open(TlmArrayKind::Tx); });
    auto pick = [this](TlmArrayKind kind, QListWidgetItem* item) {
        if (item && workbox_.OpenListEntry(kind, item->text().toStdString()))
            emit workboxOpened();
    };
    connect(rxList_, &QListWidget::itemClicked, this,
            [pick](QListWidgetItem* item) { pick(TlmArrayKind::Rx, item); });
    connect(txList_, &QListWidget::itemClicked, this,
            [pick](QListWidgetItem* item) { pick(TlmArrayKind::Tx, item); });
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::TelemetryArrays || part == ProjectPart::WholeProject)
            Reload();
    });
    Reload();
}

static void Fill(QListWidget* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(QString::fromStdString(entry));
}

void CommunArraysPanel::Reload() {
    Fill(rxList_, workspace_.project.RxArrayList);
    Fill(txList_, workspace_.project.TxArrayList);
}

} // namespace k7
