// The terminal page: the unit's output and the load's status lines in a
// fixed-pitch text (the last 25 lines, caret at the end), "Com Mode:", the
// load buttons, "Send RTC" and the "Send Program to Remote" panel. Typed
// keys go to the unit and are not inserted: the unit's echo shows them.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace k7 {

class RemoteLoadPanel;

// The text part: every key with a character is handed on, none is
// inserted; pasting and dropping insert nothing either.
class TerminalText : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TerminalText(QWidget* parent = nullptr);
    std::function<void(char)> onKey;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData*) override {}
    bool canInsertFromMimeData(const QMimeData*) const override { return false; }
};

class TerminalPage : public QWidget {
    Q_OBJECT

  public:
    explicit TerminalPage(QWidget* parent = nullptr);

    // The terminal text, lines ended by CR LF; the caret goes to the end.
    void ShowText(const std::string& text);
    // 0 ASCII, 1 CRC; no choice is reported back.
    void ShowComMode(int mode);
    // The unit's OS version from its identification line; empty when none
    // was seen yet.
    void ShowUnitVersion(const std::string& version);

    TerminalText* Text() const { return text_; }
    QComboBox* ComModeBox() const { return comMode_; }
    QLabel* UnitVersionLabel() const { return version_; }
    RemoteLoadPanel* RemotePanel() const { return remote_; }
    // "Send Pgm", "Send OS", "Stop Pgm", "PgmToRemote", "Send RTC" and
    // "Close Terminal Page and Com Port".
    QPushButton* Button(const QString& caption) const;

    std::function<void()> onSendProgram;
    std::function<void()> onSendOs;
    std::function<void()> onStopProgram;
    std::function<void()> onSendClock;
    std::function<void()> onClose;
    std::function<void(int)> onComModeChosen;

  private:
    QPushButton* AddButton(const QString& caption, std::function<void()> TerminalPage::*hook);

    TerminalText* text_;
    QComboBox* comMode_;
    QLabel* version_;
    RemoteLoadPanel* remote_;
    QWidget* buttons_;
    std::string shown_;
    std::string versionShown_;
};

} // namespace k7
