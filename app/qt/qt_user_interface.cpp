#include "app/qt/qt_user_interface.h"

#include <QFileDialog>
#include <QMessageBox>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// "Project Files...*.*|*.*" pairs a caption with a mask; Qt writes
// "Project Files... (*.*)".
static QString QtFilter(const std::string& filter) {
    QStringList parts = Text(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + parts[i + 1] + ")";
    return filters.join(";;");
}

void QtUserInterface::ShowError(const std::string& message) {
    QMessageBox::critical(parent_, QStringLiteral("K7 Studio"), Text(message), QMessageBox::Ok);
}

bool QtUserInterface::AskYesNo(const std::string& question) {
    return QMessageBox::question(parent_, QStringLiteral("Confirm"), Text(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUserInterface::ShowWarning(const std::string& message) {
    QMessageBox::warning(parent_, QStringLiteral("K7 Studio"), Text(message));
}

void QtUserInterface::ShowMessage(const std::string& message) {
    QMessageBox::information(parent_, QStringLiteral("K7 Studio"), Text(message));
}

Answer QtUserInterface::AskYesNoCancel(const std::string& question) {
    switch (QMessageBox::question(parent_, QStringLiteral("Confirm"), Text(question),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtUserInterface::AskRetry(const std::string& message) {
    return QMessageBox::critical(parent_, QStringLiteral("K7 Studio"), Text(message),
                                 QMessageBox::Abort | QMessageBox::Retry) == QMessageBox::Retry;
}

std::optional<std::string> QtUserInterface::ChooseOpenFile(const FileChoice& choice) {
    QFileDialog dialog(parent_, Text(choice.Title), Text(choice.InitialFolder),
                       QtFilter(choice.Filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(Text(choice.DefaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtUserInterface::ChooseSaveFile(const FileChoice& choice) {
    QFileDialog dialog(parent_, Text(choice.Title), Text(choice.InitialFolder),
                       QtFilter(choice.Filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Text(choice.DefaultExtension));
    if (!choice.ProposedName.empty())
        dialog.selectFile(Text(choice.ProposedName));
    if (!choice.AskBeforeOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace k7
