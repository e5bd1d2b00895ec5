#include "app/views/communications_setup_panel.h"

#include "comm/port_setup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k7 {

namespace {

struct ChoiceGroup {
    const char* Title;
    std::vector<const char*> Labels;
    int WorkspaceSettings::*Index;
};

std::vector<ChoiceGroup> ChoiceGroups() {
    auto labels = [](const auto& array) {
        return std::vector<const char*>(array.begin(), array.end());
    };
    return {{"Port:", labels(PortChoiceLabels), &WorkspaceSettings::PortIndex},
            {"Baud Rate:", labels(BaudChoiceLabels), &WorkspaceSettings::BaudIndex},
            {"Protocol:", labels(ProtocolChoiceLabels), &WorkspaceSettings::ProtocolIndex},
            {"Parity:", labels(ParityChoiceLabels), &WorkspaceSettings::ParityIndex},
            {"Word Length:", labels(WordLengthChoiceLabels), &WorkspaceSettings::WordLengthIndex}};
}

} // namespace

CommunicationsSetupPanel::CommunicationsSetupPanel(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Tool), workspace_(workspace) {
    setWindowTitle("Communications Setup");
    setObjectName("Communications Setup");
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    const auto groups = ChoiceGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        auto* box = new QGroupBox(groups[g].Title, this);
        box->setObjectName(groups[g].Title);
        auto* column = new QVBoxLayout(box);
        groups_[g] = new QButtonGroup(box);
        for (std::size_t i = 0; i < groups[g].Labels.size(); ++i) {
            auto* button = new QRadioButton(groups[g].Labels[i], box);
            groups_[g]->addButton(button, static_cast<int>(i));
            column->addWidget(button);
        }
        column->addStretch();
        row->addWidget(box);
        auto index = groups[g].Index;
        connect(groups_[g], &QButtonGroup::idClicked, this,
                [this, index](int id) { workspace_.settings.*index = id; });
    }
    auto* ok = new QPushButton("OK", this);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &CommunicationsSetupPanel::CloseClick);
}

void CommunicationsSetupPanel::Load() {
    const auto groups = ChoiceGroups();
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (auto* button = groups_[g]->button(workspace_.settings.*groups[g].Index))
            button->setChecked(true);
}

void CommunicationsSetupPanel::CloseClick() {
    if (workspace_.SaveSettings())
        hide();
}

QRadioButton* CommunicationsSetupPanel::Choice(const QString& title, const QString& text) const {
    for (auto* box : findChildren<QGroupBox*>())
        if (box->title() == title)
            for (auto* button : box->findChildren<QRadioButton*>())
                if (button->text() == text)
                    return button;
    return nullptr;
}

} // namespace k7
