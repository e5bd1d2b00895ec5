// The BASIC editor window "K7 Text Editor": the text control with its
// gutter and colouring, the File and Edit menus, the font lists and the
// Compile button, the four status panels and the list of the last
// compile's errors. The window is modal to the person, but it is shown,
// not run: whoever opens it listens for closed().
#pragma once

#include "basic/basic_editor.h"

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>

class QAction;
class QComboBox;
class QFontComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPrinter;
class QPushButton;

namespace k7 {

class BasicCodeEditor;
class FindDialog;
class ReplaceDialog;

class TBasEditForm : public QMainWindow {
    Q_OBJECT

  public:
    TBasEditForm(const std::string& systemFolder, const std::string& basicFolder, UserInterface& ui,
                 QWidget* parent = nullptr);
    ~TBasEditForm() override;

    // Opening the window, on a library file (a full path) when one is given.
    bool OpenOn(const std::string& libraryFile);

    BasicEditor& Model() { return model_; }
    BasicCodeEditor* TextControl() const { return text_; }
    QListWidget* ErrorList() const { return errorList_; }
    QAction* Command(const QString& text) const;
    QMenu* EditMenu() const { return editMenu_; }
    QFontComboBox* FontNames() const { return fontNames_; }
    QComboBox* FontSizes() const { return fontSizes_; }
    QPushButton* CompileButton() const { return compile_; }
    QString StatusPanel(int panel) const;
    FindDialog* FindBox() const { return find_; }
    ReplaceDialog* ReplaceBox() const { return replace_; }

    // The Compile button.
    void Button1Click();
    // Find Next with the search text and options last used; false (after a
    // beep) when there is no further match.
    bool FindNext();
    int Replace(const QString& with, bool all);
    // Prints the text with the file name as the document's title.
    void PrintTo(QPrinter& printer);
    // The Edit menu's commands as the rules enable them now.
    void UpdateEditMenu();

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateMenus();
    void CreateTools();
    QAction* AddCommand(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                        void (TBasEditForm::*slot)());
    // The text control holds the text; the model takes it before a command.
    void HandOver();
    // After the model loaded or saved: the control shows what it holds.
    void ShowModelText();
    void ShowModelState();
    void ShowCaret();
    void ShowErrors();
    void ApplyFont();

    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAsClick();
    void ExitClick();
    void PrintSetupClick();
    void PrintClick();
    void FindClick();
    void FindNextClick();
    void ReplaceClick();
    void ErrorClicked(QListWidgetItem* item);
    void FindFrom(FindDialog* dialog);

    BasicEditor model_;
    UserInterface& ui_;
    BasicCodeEditor* text_ = nullptr;
    QListWidget* errorList_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QFontComboBox* fontNames_ = nullptr;
    QComboBox* fontSizes_ = nullptr;
    QPushButton* compile_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    std::map<QString, QAction*> commands_;
    FindDialog* find_ = nullptr;
    ReplaceDialog* replace_ = nullptr;
    QString searchText_; // shared by Find and Replace
    SearchOptions searchOptions_;
    std::unique_ptr<QPrinter> printer_;
    bool compiling_ = false;
};

} // namespace k7
