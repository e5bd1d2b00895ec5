#include "app/views/terminal_page.h"

#include "app/views/remote_load_panel.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace k7 {

TerminalText::TerminalText(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("Terminal");
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setStyleSheet("QPlainTextEdit { background: #101010; color: #9fef9f; }");
}

// Enter gives a carriage return, Backspace 0x08, control keys their
// control character: one byte each, as the unit's own keyboard would.
void TerminalText::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() < 0x100) {
        moveCursor(QTextCursor::End);
        if (onKey)
            onKey(static_cast<char>(typed[0].unicode()));
    }
    event->accept();
}

TerminalPage::TerminalPage(QWidget* parent)
    : QWidget(parent), text_(new TerminalText(this)), comMode_(new QComboBox(this)),
      version_(new QLabel(this)), remote_(new RemoteLoadPanel(this)), buttons_(new QWidget(this)) {
    setObjectName("Terminal Page");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(text_, 1);

    auto* side = new QVBoxLayout;
    layout->addLayout(side);
    auto* mode = new QHBoxLayout;
    mode->addWidget(new QLabel("Com Mode:", this));
    comMode_->addItems({"ASCII", "CRC"});
    comMode_->setAccessibleName("Com Mode:");
    mode->addWidget(comMode_);
    side->addLayout(mode);
    auto* column = new QVBoxLayout(buttons_);
    column->setContentsMargins(0, 0, 0, 0);
    side->addWidget(buttons_);
    AddButton("Send Pgm", &TerminalPage::onSendProgram);
    AddButton("Send OS", &TerminalPage::onSendOs);
    AddButton("Stop Pgm", &TerminalPage::onStopProgram);
    QPushButton* toRemote = AddButton("PgmToRemote", nullptr);
    AddButton("Send RTC", &TerminalPage::onSendClock);
    AddButton("Close Terminal Page and Com Port", &TerminalPage::onClose);
    side->addWidget(version_);
    side->addWidget(remote_);
    side->addStretch();
    ShowUnitVersion({});

    connect(toRemote, &QPushButton::clicked, this, [this] {
        remote_->show();
        remote_->StartButton()->setFocus();
    });
    connect(comMode_, &QComboBox::activated, this, [this](int index) {
        if (onComModeChosen)
            onComModeChosen(index);
        text_->setFocus();
    });
}

QPushButton* TerminalPage::AddButton(const QString& caption,
                                     std::function<void()> TerminalPage::*hook) {
    auto* button = new QPushButton(caption, buttons_);
    button->setFocusPolicy(Qt::NoFocus); // the terminal keeps the keys
    buttons_->layout()->addWidget(button);
    if (hook)
        connect(button, &QPushButton::clicked, this, [this, hook] {
            if (this->*hook)
                (this->*hook)();
        });
    return button;
}

QPushButton* TerminalPage::Button(const QString& caption) const {
    for (QPushButton* button : buttons_->findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

void TerminalPage::ShowText(const std::string& text) {
    if (text == shown_)
        return;
    shown_ = text;
    QString shown = QString::fromLatin1(text.data(), static_cast<int>(text.size()));
    shown.replace("\r\n", "\n");
    text_->setPlainText(shown);
    text_->moveCursor(QTextCursor::End);
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

void TerminalPage::ShowComMode(int mode) {
    const int index = mode == 1 ? 1 : 0;
    if (comMode_->currentIndex() == index)
        return;
    const QSignalBlocker quiet(comMode_);
    comMode_->setCurrentIndex(index);
}

void TerminalPage::ShowUnitVersion(const std::string& version) {
    if (version == versionShown_ && !version_->text().isEmpty())
        return;
    versionShown_ = version;
    version_->setText(version.empty() ? QString("Unit OS version: not seen yet")
                                      : "Unit OS version: " + QString::fromStdString(version));
}

} // namespace k7
