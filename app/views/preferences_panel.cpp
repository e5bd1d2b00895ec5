#include "app/views/preferences_panel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace k7 {

PreferencesPanel::PreferencesPanel(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Tool), workspace_(workspace), system_(new QLineEdit(this)),
      projectFolder_(new QLineEdit(this)), basic_(new QLineEdit(this)),
      alphabetize_(new QCheckBox("Alphabetize Modules Before Compile", this)),
      flagDuplicates_(new QCheckBox("Flag Duplicate Database Names", this)) {
    setWindowTitle("Preferences");
    setObjectName("Preferences");
    auto* form = new QFormLayout(this);
    form->addRow("Directory for SYSTEM files:", system_);
    form->addRow("Directory for PROJECTfiles:", projectFolder_);
    form->addRow("Directory for BASIC files:", basic_);
    form->addRow(alphabetize_);
    form->addRow(flagDuplicates_);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton("Save", this);
    auto* cancel = new QPushButton("Cancel", this);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    resize(460, 200);

    WorkspaceSettings& settings = workspace_.settings;
    connect(system_, &QLineEdit::textEdited, this,
            [&settings](const QString& text) { settings.SystemFolder = text.toStdString(); });
    connect(projectFolder_, &QLineEdit::textEdited, this,
            [&settings](const QString& text) { settings.ProjectFolder = text.toStdString(); });
    connect(basic_, &QLineEdit::textEdited, this,
            [&settings](const QString& text) { settings.BasicFolder = text.toStdString(); });
    connect(alphabetize_, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.SortModulesBeforeCompile = on; });
    connect(flagDuplicates_, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.FlagDuplicateDbNames = on; });
    connect(save, &QPushButton::clicked, this, [this] {
        if (!workspace_.SaveSettings())
            return;
        hide();
        if (onSaved)
            onSaved();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

void PreferencesPanel::Load() {
    const WorkspaceSettings& settings = workspace_.settings;
    system_->setText(QString::fromStdString(settings.SystemFolder));
    projectFolder_->setText(QString::fromStdString(settings.ProjectFolder));
    basic_->setText(QString::fromStdString(settings.BasicFolder));
    alphabetize_->setChecked(settings.SortModulesBeforeCompile);
    flagDuplicates_->setChecked(settings.FlagDuplicateDbNames);
}

} // namespace k7
