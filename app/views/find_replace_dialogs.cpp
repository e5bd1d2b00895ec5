#include "app/views/find_replace_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

FindDialog::FindDialog(QWidget* parent, bool withReplace) : QDialog(parent) {
    setWindowTitle(withReplace ? tr("Replace") : tr("Find"));
    what_ = new QLineEdit;
    matchCase_ = new QCheckBox(tr("Match &case"));
    wholeWord_ = new QCheckBox(tr("Match &whole word only"));
    auto* form = new QFormLayout;
    form->addRow(tr("Fi&nd what:"), what_);
    if (withReplace) {
        with_ = new QLineEdit;
        form->addRow(tr("Re&place with:"), with_);
    }
    auto* options = new QVBoxLayout;
    options->addLayout(form);
    options->addWidget(matchCase_);
    options->addWidget(wholeWord_);
    options->addStretch();

    auto* buttons = new QVBoxLayout;
    auto* findNext = new QPushButton(tr("&Find Next"));
    findNext->setObjectName("Find Next");
    findNext->setDefault(true);
    buttons->addWidget(findNext);
    connect(findNext, &QPushButton::clicked, this, &FindDialog::findNextRequested);
    if (withReplace) {
        auto* replace = new QPushButton(tr("&Replace"));
        replace->setObjectName("Replace");
        auto* replaceAll = new QPushButton(tr("Replace &All"));
        replaceAll->setObjectName("Replace All");
        buttons->addWidget(replace);
        buttons->addWidget(replaceAll);
        connect(replace, &QPushButton::clicked, this, [this] { emit replaceRequested(false); });
        connect(replaceAll, &QPushButton::clicked, this, [this] { emit replaceRequested(true); });
    }
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName("Cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    buttons->addWidget(cancel);
    buttons->addStretch();
    // Find Next waits for a search text.
    connect(what_, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (QPushButton* button : findChildren<QPushButton*>())
            if (button->objectName() != "Cancel")
                button->setEnabled(!text.isEmpty());
    });

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(options, 1);
    layout->addLayout(buttons);
    setModal(false);
}

void FindDialog::Open(const QString& searchText) {
    what_->setText(searchText);
    what_->selectAll();
    emit what_->textChanged(what_->text());
    show();
    raise();
    activateWindow();
    what_->setFocus();
}

QString FindDialog::SearchText() const {
    return what_->text();
}

QString FindDialog::ReplacementText() const {
    return with_ ? with_->text() : QString();
}

SearchOptions FindDialog::Options() const {
    return {matchCase_->isChecked(), wholeWord_->isChecked()};
}

QPushButton* FindDialog::Button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

} // namespace k7
