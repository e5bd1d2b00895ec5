// The library panel "K7 MODULE LIBRARY": the module names of the five
// categories, one tab each, in library order. Picking a name places a new
// instance in "Design" and "Debug" mode and shows the module's definition
// in "Engineer" mode (LibraryViewPanel, read-only). The "Commun." tab also
// carries the telemetry arrays' entry points.
#pragma once

#include "workspace/library_view.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;

namespace k7 {

class ModuleLibrary;

constexpr const char* LibraryPanelTitle = "K7 MODULE LIBRARY";

// Tab captions of categories 1..5; [0] unused.
extern const std::array<const char*, 6> LibraryTabTitles;

class LibraryPanel : public QWidget {
    Q_OBJECT

  public:
    // `communExtras`, when given, is placed under the "Commun." list.
    LibraryPanel(const ModuleLibrary& library, QWidget* communExtras = nullptr,
                 QWidget* parent = nullptr);

    // "Design", "Debug" or "Engineer": what a pick does.
    void SetMode(const QString& mode);
    const QString& Mode() const { return mode_; }

    QTabWidget* Tabs() const { return tabs_; }
    QListWidget* List(int category) const { return lists_[category]; } // 1..5

  signals:
    void modulePicked(const QString& name);

  private:
    QString mode_ = "Design";
    QTabWidget* tabs_ = nullptr;
    std::array<QListWidget*, 6> lists_{};
};

// The definition of one module type, as "Engineer" mode shows it.
class LibraryViewPanel : public QWidget {
    Q_OBJECT

  public:
    explicit LibraryViewPanel(QWidget* parent = nullptr);

    void Show(const LibraryView& view);

    QLineEdit* NumberField() const { return number_; }
    QLineEdit* NameField() const { return name_; }
    QLineEdit* ParameterField() const { return parameters_; }
    QLineEdit* CategoryField() const { return category_; }
    QCheckBox* CodeInUnitCheck() const { return codeInUnit_; }
    QPlainTextEdit* DescriptionBox() const { return description_; }
    QTableWidget* Inputs() const { return inputs_; }
    QTableWidget* Outputs() const { return outputs_; }
    QComboBox* DataBaseChoice() const { return dataBase_; }
    QComboBox* DataSizeChoice() const { return dataSize_; }
    QComboBox* SpecGroupingChoice() const { return specGrouping_; }

  private:
    void ShowCode(const std::string& code);

    LibraryView view_;
    QLineEdit* number_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* parameters_ = nullptr;
    QLineEdit* category_ = nullptr;
    QCheckBox* codeInUnit_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    QTableWidget* inputs_ = nullptr;
    QTableWidget* outputs_ = nullptr;
    QComboBox* dataBase_ = nullptr;
    QComboBox* dataSize_ = nullptr;
    QComboBox* specGrouping_ = nullptr;
};

} // namespace k7
