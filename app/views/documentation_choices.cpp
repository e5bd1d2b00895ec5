#include "app/views/documentation_choices.h"

#include "app/shell/progress_panel_widget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

DocumentationChoicesPanel::DocumentationChoicesPanel(Workspace& workspace,
                                                     ProgressPanelWidget& progress,
                                                     QWidget& progressHost, QWidget* parent)
    : QWidget(parent, Qt::Tool), workspace_(workspace), progress_(progress),
      progressHost_(progressHost), fileName_(new QLineEdit(this)),
      generate_(new QPushButton(tr("Generate"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(DocumentationChoicesCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Documentation File Name:"), this));
    fileName_->setMinimumWidth(360);
    layout->addWidget(fileName_);
    auto* boxes = new QGridLayout;
    for (int section = 0; section < DocSectionCount; ++section) {
        boxes_[section] = new QCheckBox(DocSectionCaptions[section], this);
        boxes->addWidget(boxes_[section], section % 5, section / 5);
    }
    layout->addLayout(boxes);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(generate_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    generate_->setDefault(true);
    connect(generate_, &QPushButton::clicked, this, &DocumentationChoicesPanel::Generate);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
}

void DocumentationChoicesPanel::Open() {
    const DocumentationChoices choices = OpenDocumentationChoices(workspace_.project);
    fileName_->setText(QString::fromStdString(choices.FileName));
    for (int section = 0; section < DocSectionCount; ++section)
        boxes_[section]->setChecked(choices.Checked[section]);
    show();
    raise();
}

DocumentationChoices DocumentationChoicesPanel::Choices() const {
    DocumentationChoices choices;
    choices.FileName = fileName_->text().toStdString();
    for (int section = 0; section < DocSectionCount; ++section)
        choices.Checked[section] = boxes_[section]->isChecked();
    return choices;
}

// The run ends with both panels hidden and the status bar's message
// panel telling how many lines were written; a file error keeps the
// choices open to correct the name.
bool DocumentationChoicesPanel::Generate() {
    progress_.Reset();
    progressHost_.show();
    setEnabled(false);
    const DocumentationResult result = GenerateDocumentation(
        workspace_, Choices(), workspace_.DateText(), workspace_.Ui(), progress_);
    setEnabled(true);
    progressHost_.hide();
    if (result.Ok)
        hide();
    return result.Ok;
}

} // namespace k7
