#include "app/views/remote_load_panel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace k7 {

namespace {

// The captions in the panel's order, with the field each one fills.
struct RemoteField {
    const char* Caption;
    int RemoteLoadParams::*Value;
};

constexpr RemoteField RemoteFields[] = {
    {"Remote Address:", &RemoteLoadParams::RemoteAddress},
    {"Wait for Reply, sec:", &RemoteLoadParams::WaitSeconds},
    {"Forward Address 1:", &RemoteLoadParams::ForwardAddress1},
    {"Forward Address 2:", &RemoteLoadParams::ForwardAddress2},
    {"Forward Address 3:", &RemoteLoadParams::ForwardAddress3},
    {"Board # in master K7/K3 to TX:", &RemoteLoadParams::MasterBoard},
    {"Port # in master K7/K3 to TX:", &RemoteLoadParams::MasterPort},
};

} // namespace

RemoteLoadPanel::RemoteLoadPanel(QWidget* parent)
    : QFrame(parent), start_(new QPushButton("Start", this)),
      cancel_(new QPushButton("Cancel", this)) {
    setObjectName("Send Program to Remote");
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Send Program to Remote", this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setMaxLength(5);
        fields_[i]->setAccessibleName(RemoteFields[i].Caption);
        form->addRow(RemoteFields[i].Caption, fields_[i]);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    SetParams(RemoteLoadParams{});
    connect(start_, &QPushButton::clicked, this, [this] {
        if (onStart)
            onStart(Params());
    });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

RemoteLoadParams RemoteLoadPanel::Params() const {
    RemoteLoadParams params;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        bool number = false;
        const int value = fields_[i]->text().trimmed().toInt(&number);
        params.*RemoteFields[i].Value = number ? value : -1;
    }
    return params;
}

void RemoteLoadPanel::SetParams(const RemoteLoadParams& params) {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(QString::number(params.*RemoteFields[i].Value));
}

QLineEdit* RemoteLoadPanel::Field(const QString& caption) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (caption == RemoteFields[i].Caption)
            return fields_[i];
    return nullptr;
}

} // namespace k7
