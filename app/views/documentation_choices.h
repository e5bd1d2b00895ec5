// "Documentation Choices": the documentation file's name and the ten
// section check boxes. "Generate" writes the file on the shared progress
// panel; Cancel only hides the panel.
#pragma once

#include "docgen/documentation.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace k7 {

class ProgressPanelWidget;

constexpr const char* DocumentationChoicesCaption = "Documentation Choices";

class DocumentationChoicesPanel : public QWidget {
    Q_OBJECT

  public:
    // progressHost is what holds the progress panel in the window; it is
    // shown while the file is generated.
    DocumentationChoicesPanel(Workspace& workspace, ProgressPanelWidget& progress,
                              QWidget& progressHost, QWidget* parent = nullptr);

    // "Document": every box checked, the file name from the project.
    void Open();
    // "Generate": true when the file was written.
    bool Generate();

    QLineEdit* FileNameEdit() const { return fileName_; }
    QCheckBox* SectionBox(DocSection section) const { return boxes_[section]; }
    QPushButton* GenerateButton() const { return generate_; }
    QPushButton* CancelButton() const { return cancel_; }

  private:
    DocumentationChoices Choices() const;

    Workspace& workspace_;
    ProgressPanelWidget& progress_;
    QWidget& progressHost_;
    QLineEdit* fileName_;
    std::array<QCheckBox*, DocSectionCount> boxes_{};
    QPushButton* generate_;
    QPushButton* cancel_;
};

} // namespace k7
