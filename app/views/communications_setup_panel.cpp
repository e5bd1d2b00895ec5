#include "app/views/communications_setup_panel.h"

#include "comm/port_setup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
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
    connect(groups_[0], &QButtonGroup::idClicked, this, [this] {
        if (onPortChosen)
            onPortChosen();
        ShowDeviceOfPort();
    });

    auto* devices = new QGroupBox("Device", this);
    devices->setObjectName("Device");
    auto* grid = new QGridLayout(devices);
    deviceCaption_ = new QLabel(devices);
    device_ = new QComboBox(devices);
    device_->setEditable(true);
    device_->setInsertPolicy(QComboBox::NoInsert);
    device_->setMinimumContentsLength(32);
    device_->setToolTip("The serial device the chosen COM port opens on this workstation");
    auto* refresh = new QPushButton("Refresh", devices);
    refresh->setToolTip("List the serial devices present again");
    virtual_ = new QCheckBox("Virtual unit", devices);
    virtual_->setToolTip("Start the simulated unit beside the program and use its line");
    virtualStatus_ = new QLabel(devices);
    grid->addWidget(deviceCaption_, 0, 0);
    grid->addWidget(device_, 0, 1);
    grid->addWidget(refresh, 0, 2);
    grid->addWidget(virtual_, 1, 0);
    grid->addWidget(virtualStatus_, 1, 1, 1, 2);
    layout->addWidget(devices);
    connect(refresh, &QPushButton::clicked, this, &CommunicationsSetupPanel::RefreshDevices);
    connect(device_, &QComboBox::textActivated, this, [this](const QString& text) {
        if (onDeviceChosen && !text.trimmed().isEmpty())
            onDeviceChosen(PortOfChoice(workspace_.settings.PortIndex),
                           text.trimmed().toStdString());
    });
    connect(virtual_, &QCheckBox::toggled, this, [this](bool on) {
        if (onVirtualUnit)
            onVirtualUnit(on);
    });
    ShowVirtualUnit({});

    auto* ok = new QPushButton("OK", this);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &CommunicationsSetupPanel::CloseClick);
}

void CommunicationsSetupPanel::Load() {
    const auto groups = ChoiceGroups();
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (auto* button = groups_[g]->button(workspace_.settings.*groups[g].Index))
            button->setChecked(true);
    RefreshDevices();
}

void CommunicationsSetupPanel::RefreshDevices() {
    const QString typed = device_->currentText();
    device_->clear();
    for (const std::string& path : ListSerialDevices(folderReader))
        device_->addItem(QString::fromStdString(path));
    device_->setEditText(typed);
    ShowDeviceOfPort();
}

void CommunicationsSetupPanel::ShowDeviceOfPort() {
    const int port = PortOfChoice(workspace_.settings.PortIndex);
    deviceCaption_->setText(QString("Device for COM%1:").arg(port));
    if (deviceFor)
        device_->setEditText(QString::fromStdString(deviceFor(port)));
}

void CommunicationsSetupPanel::ShowVirtualUnit(const std::string& devicePath) {
    const QSignalBlocker quiet(virtual_);
    virtual_->setChecked(!devicePath.empty());
    virtualStatus_->setText(devicePath.empty()
                                ? QString("Off: the port opens the device above")
                                : "On: the port opens " + QString::fromStdString(devicePath));
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
