#include "app/views/notes_page.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace k7 {

NotesPage::NotesPage(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), notes_(new QPlainTextEdit(this)),
      savedBy_(new QLineEdit(this)), savedOn_(new QLineEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    savedBy_->setReadOnly(true);
    savedOn_->setReadOnly(true);
    form->addRow("Saved by version:", savedBy_);
    form->addRow("Saved on:", savedOn_);
    layout->addLayout(form);
    layout->addWidget(notes_);
    notes_->setPlaceholderText("Project notes");
    connect(notes_, &QPlainTextEdit::textChanged, this, &NotesPage::NotesEdited);
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::Notes || part == ProjectPart::WholeProject)
            Reload();
    });
    Reload();
}

// The project keeps its notes with CR LF line ends, as they travel through
// the project file; the edit shows and gives plain LF.
static QString ShownNotes(const std::string& notes) {
    return QString::fromStdString(notes).replace("\r\n", "\n");
}

static std::string ProjectNotes(const QString& shown) {
    return QString(shown).replace('\n', "\r\n").toStdString();
}

void NotesPage::Reload() {
    loading_ = true;
    const Project& project = workspace_.project;
    if (notes_->toPlainText() != ShownNotes(project.Notes))
        notes_->setPlainText(ShownNotes(project.Notes));
    savedBy_->setText(QString::fromStdString(project.SavedByVersion));
    savedOn_->setText(QString::fromStdString(project.SavedOnDate));
    loading_ = false;
}

// A refused edit puts the earlier notes back.
void NotesPage::NotesEdited() {
    if (loading_)
        return;
    if (!workspace_.SetProjectNotes(ProjectNotes(notes_->toPlainText())))
        Reload();
}

} // namespace k7
