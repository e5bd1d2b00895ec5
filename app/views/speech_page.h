// The speech page: the phrase list, the report list, the report header and
// grid, the "Variable Speech Format Definition" box and "Speak", over the
// core's SpeechEditor.
#pragma once

#include "app/views/speech_voice.h"
#include "tables_speech/speech_editor.h"
#include "workspace/change_notices.h"

#include <QWidget>

class QDialog;
class QFormLayout;
class QListWidget;
class QPushButton;

namespace k7 {

class DropLineEdit;
class DropTable;
class PhraseTable;

class SpeechPage : public QWidget {
    Q_OBJECT

  public:
    SpeechPage(Workspace& workspace, std::unique_ptr<SpeechVoice> voice, QWidget* parent = nullptr);
    ~SpeechPage() override;
    void Reload();

    SpeechEditor& Editor() { return editor_; }
    PhraseTable* Phrases() const { return phrases_; }
    QListWidget* ReportList() const { return reports_; }
    DropLineEdit* HeaderField(const QString& caption) const;
    DropTable* Grid() const { return grid_; }
    QDialog* FormatDialog() const { return formatDialog_; }
    DropLineEdit* FormatField() const { return format_; }
    QPushButton* Button(const QString& caption) const;

  private:
    void CreateHeader(QFormLayout* form);
    QWidget* CreateButtons();
    void CreateFormatDialog();
    void ShowPhrases();
    void ShowHeader();
    void ShowGrid();
    void ShowFormatBox();
    void Speak();

    Workspace& workspace_;
    ChangeSubscription changes_;
    SpeechEditor editor_;
    std::unique_ptr<SpeechVoice> voice_;
    PhraseTable* phrases_ = nullptr;
    QListWidget* reports_ = nullptr;
    DropTable* grid_ = nullptr;
    QDialog* formatDialog_ = nullptr;
    DropLineEdit* format_ = nullptr;
    bool showing_ = false;
};

} // namespace k7
