// The BASIC editor window's Find and Replace dialogs. They hold what the
// person typed and chose; the window searches and replaces. Both stay open
// beside the text, so the window goes on taking input while they show.
#pragma once

#include "basic/basic_editor_rules.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace k7 {

class FindDialog : public QDialog {
    Q_OBJECT

  public:
    explicit FindDialog(QWidget* parent = nullptr, bool withReplace = false);

    // Opens the dialog with the search text (the window's prefill).
    void Open(const QString& searchText);

    QString SearchText() const;
    SearchOptions Options() const;
    QString ReplacementText() const;

    QLineEdit* SearchField() const { return what_; }
    QLineEdit* ReplacementField() const { return with_; }
    QCheckBox* MatchCaseBox() const { return matchCase_; }
    QCheckBox* WholeWordBox() const { return wholeWord_; }
    QPushButton* Button(const QString& caption) const;

  signals:
    void findNextRequested();
    void replaceRequested(bool all);

  private:
    QLineEdit* what_ = nullptr;
    QLineEdit* with_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
};

// Replace: the find dialog with the replacement and its two buttons.
class ReplaceDialog : public FindDialog {
    Q_OBJECT

  public:
    explicit ReplaceDialog(QWidget* parent = nullptr) : FindDialog(parent, true) {}
};

} // namespace k7
