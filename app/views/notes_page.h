// The project page: the free notes and, read-only, the program version and
// date of the last save. Shows them again when the notes change or another
// project replaces the one shown.
#pragma once

#include "workspace/workspace.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace k7 {

class NotesPage : public QWidget {
    Q_OBJECT

  public:
    NotesPage(Workspace& workspace, QWidget* parent = nullptr);
    // Shows the project's notes and save record.
    void Reload();

    QPlainTextEdit* NotesEdit() const { return notes_; }
    QLineEdit* SavedByField() const { return savedBy_; }
    QLineEdit* SavedOnField() const { return savedOn_; }

  private:
    void NotesEdited();

    Workspace& workspace_;
    ChangeSubscription changes_;
    QPlainTextEdit* notes_;
    QLineEdit* savedBy_;
    QLineEdit* savedOn_;
    bool loading_ = false;
};

} // namespace k7
