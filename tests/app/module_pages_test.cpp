// The module pages through the real widgets: the library, the instance
// editor with its naming rules and dropped names, Engineer mode's
// definitions, the instance lists with Delete and the module tree, the card
// panel's placement rules and channel clicks, and Undo of an instance edit
// and a card change.
#include "app/views/card_panel.h"
#include "app/views/database_lists_panel.h"
#include "app/views/instance_editor_panel.h"
#include "app/views/instance_lists_panel.h"
#include "app/views/library_panel.h"
#include "app/views/module_tree_panel.h"
#include "app/widgets/card_face.h"
#include "app/widgets/drop_table.h"
#include "tests/app/app_fixture.h"
#include "tests/app/editor_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

using namespace k7;
using test::AppFixture;

// Clicks the entry of `list` that starts with `text`, where a person would.
static bool ClickEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchStartsWith);
    if (found.isEmpty())
        return false;
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    return true;
}

static void ReplaceText(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Drags the card list's entry `name` and drops it at `at` on a slot; false
// when the drag carried nothing or the slot refused it on entry.
static bool DropCard(CardPanelView* cards, const QString& name, int slot, QPoint at) {
    const QList<QListWidgetItem*> found = cards->Cards()->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    std::unique_ptr<QMimeData> data(cards->Cards()->DragData(cards->Cards()->row(found.first())));
    return data && test::Drop(cards->Face(slot), at, *data);
}

static QPoint FrameOf(CardFace* face) {
    return face->TitleRect().center();
}

class ModulePagesTest : public QObject {
    Q_OBJECT

    struct Shown {
        AppFixture app;
        MainWindow& window = *app.window;
        ModulePages& pages = window.Modules();
        InstanceEditorPanel* editor = pages.EditorPanel();

        Shown() {
            window.show();
            window.Command("Modules")->trigger();
        }
        bool Pick(int category, const QString& name) {
            pages.Library()->Tabs()->setCurrentIndex(category - 1);
            return ClickEntry(pages.Library()->List(category), name);
        }
        bool PickInstance(int category, const QString& entry) {
            pages.Instances()->Tabs()->setCurrentIndex(category - 1);
            return ClickEntry(pages.Instances()->List(category), entry);
        }
    };

  private slots:
    void pickingAModuleOpensTheEditorAndTheNameNamesTheOutputs() {
        Shown s;
        QCOMPARE(s.window.Pages()->currentWidget(), s.pages.Page());
        QCOMPARE(s.pages.Library()->Tabs()->tabText(4), QString("Commun."));
        QVERIFY(s.Pick(CatMath, "Adder"));
        QCOMPARE(s.pages.WorkArea()->currentWidget(), s.editor);
        QCOMPARE(s.editor->CaptionLabel()->text(), QString("\nModule Type: Adder"));
        QCOMPARE(test::CellText(s.editor->Inputs(), 0, 0), QString("Input A"));
        QTest::keyClicks(s.editor->NameField(), "SUM1");
        QCOMPARE(test::CellText(s.editor->Outputs(), 0, 1), QString("SUM1.Sum"));

        // A name dragged from the Status list fills input row 2.
        QVERIFY(!s.app.workspace.project.ProjectChanged);
        DatabaseList* status = s.window.DatabaseLists()->List(DbType::Status);
        const int row = status->row(status->findItems("System.BootTrg", Qt::MatchExactly).value(0));
        std::unique_ptr<QMimeData> drag(status->DragData(row));
        QVERIFY(drag);
        QVERIFY(test::Drop(s.editor->Inputs()->viewport(),
                           test::CellCentre(s.editor->Inputs(), 1, 1), *drag));
        QCOMPARE(test::CellText(s.editor->Inputs(), 1, 1), QString("System.BootTrg"));
        QVERIFY(s.app.workspace.project.ProjectChanged);
        QCOMPARE(s.window.StatusFieldText(2), QString("  Need to save...  Need to compile..."));

        s.editor->Button("Save")->click();
        QCOMPARE(s.app.workspace.project.Modules.back().Values[2], std::string("System.BootTrg"));
        QCOMPARE(s.pages.Instances()->List(CatMath)->item(0)->text(), QString("SUM1...Adder"));
        QCOMPARE(s.pages.WorkArea()->currentWidget() == s.editor, false);
    }

    void saveRefusesFourNamesAndAnUnchangedClone() {
        Shown s;
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        QVERIFY(s.Pick(CatMath, "Adder"));
        const std::pair<QString, const char*> refused[] = {{"", NameMissingMessage},
                                                           {QString(41, 'A'), NameTooLongMessage},
                                                           {"TANK.1", NamePeriodMessage},
                                                           {"System", NameInUseMessage}};
        for (const auto& [name, message] : refused) {
            ReplaceText(s.editor->NameField(), name);
            s.app.ui.Errors.clear();
            s.editor->Button("Save")->click();
            QCOMPARE(s.app.ui.Errors, std::vector<std::string>{message});
            QCOMPARE(s.pages.WorkArea()->currentWidget(), s.editor);
        }
        QCOMPARE(s.app.workspace.project.ModuleCount(), 1);

        // The missing name puts the caret in the name field.
        s.editor->Button("Cancel")->setFocus();
        ReplaceText(s.editor->NameField(), "");
        s.editor->Button("Cancel")->setFocus();
        s.editor->Button("Save")->click();
        QVERIFY(s.editor->NameField()->hasFocus());

        s.app.ui.YesNoAnswers = {true}; // abandon the typed name
        QVERIFY(s.PickInstance(CatIoSystem, "System..."));
        s.pages.Instances()->Button("Clone")->click();
        QCOMPARE(s.app.ui.Questions.back(), std::string(AbandonQuestion));
        QCOMPARE(s.editor->NameField()->text(), QString("System"));
        s.app.ui.Errors.clear();
        s.editor->Button("Save")->click();
        QCOMPARE(s.app.ui.Errors, std::vector<std::string>{NameInUseMessage});
        QCOMPARE(s.app.workspace.project.ModuleCount(), 1);
    }

    void engineerModeShowsTheDefinitionAndARowsCode() {
        Shown s;
        s.window.ModeButton("Engineer")->click();
        QCOMPARE(s.pages.Library()->Mode(), QString("Engineer"));
        QVERIFY(s.Pick(CatMath, "Adder"));
        LibraryViewPanel* view = s.pages.Definition();
        QCOMPARE(s.pages.WorkArea()->currentWidget(), view);
        QVERIFY(!s.pages.Editor().IsOpen());
        QCOMPARE(view->NumberField()->text(), QString("6"));
        QCOMPARE(view->NameField()->text(), QString("Adder"));
        QCOMPARE(view->CategoryField()->text(), QString("Math"));
        QVERIFY(view->CodeInUnitCheck()->isChecked());
        QCOMPARE(view->Inputs()->rowCount(), 4);
        QCOMPARE(view->Outputs()->item(0, 2)->text(), QString("Sum"));
        QCOMPARE(view->DataBaseChoice()->currentIndex(), -1);
        test::ClickCell(view->Outputs(), 0, 1);
        QCOMPARE(view->DataBaseChoice()->currentText(), QString("Float Pt"));
        QCOMPARE(view->DataSizeChoice()->currentText(), QString("Single"));
        QCOMPARE(view->SpecGroupingChoice()->currentText(), QString("Standard"));
        QCOMPARE(s.app.workspace.project.ModuleCount(), 1);

        // Back in Design mode a pick places an instance again.
        s.window.ModeButton("Design")->click();
        QVERIFY(s.Pick(CatMath, "Adder"));
        QCOMPARE(s.pages.WorkArea()->currentWidget(), s.editor);
    }

    void deleteAsksFirstAndListsKeepTheirSelection() {
        Shown s;
        QVERIFY(s.window.OpenPath(AppFixture::ExampleProject().toStdString()));
        Project& project = s.app.workspace.project;
        const int count = project.ModuleCount();
        InstanceListsPanel* lists = s.pages.Instances();
        s.pages.Instances()->Tabs()->setCurrentIndex(CatControl - 1);
        lists->Button("Delete")->click(); // answered No
        QCOMPARE(s.app.ui.Questions, std::vector<std::string>{DeleteQuestion});
        QVERIFY(s.app.ui.Errors.empty());
        s.app.ui.YesNoAnswers = {true};
        lists->Button("Delete")->click();
        QCOMPARE(s.app.ui.Errors, std::vector<std::string>{SelectEntryMessage});
        QCOMPARE(project.ModuleCount(), count);

        // A new Control instance rebuilds the list under the selection.
        QVERIFY(s.PickInstance(CatControl, "LevelPID..."));
        const int rebuilds = lists->RebuildCount();
        QVERIFY(s.Pick(CatControl, s.pages.Library()->List(CatControl)->item(0)->text()));
        QTest::keyClicks(s.editor->NameField(), "AAA");
        s.editor->Button("Save")->click();
        QCOMPARE(lists->RebuildCount(), rebuilds + 1);
        QVERIFY(lists->List(CatControl)->currentItem()->text().startsWith("LevelPID..."));
        // ... and a rebuilt list stays scrolled where it was.
        QListWidget* io = lists->List(CatIoSystem);
        lists->Tabs()->setCurrentIndex(CatIoSystem - 1);
        QVERIFY(io->verticalScrollBar()->maximum() > 2);
        io->verticalScrollBar()->setValue(2);
        QVERIFY(s.Pick(CatIoSystem, "Analog input 4-20"));
        QTest::keyClicks(s.editor->NameField(), "AAB");
        s.editor->Button("Save")->click();
        QCOMPARE(io->count(), static_cast<int>(project.InstanceLists[CatIoSystem].size()));
        QCOMPARE(io->verticalScrollBar()->value(), 2);

        lists->Tabs()->setCurrentIndex(CatControl - 1);
        s.app.ui.YesNoAnswers = {true};
        lists->Button("Delete")->click();
        QCOMPARE(project.ModuleCount(), count + 1);
        QVERIFY(lists->List(CatControl)->findItems("LevelPID...", Qt::MatchStartsWith).isEmpty());
    }

    void theTreeShowsAChainOfModuleReferences() {
        Shown s;
        QVERIFY(s.window.OpenPath(AppFixture::ExampleProject().toStdString()));
        QVERIFY(s.PickInstance(CatIoSystem, "WetWell..."));
        s.pages.Instances()->Button(" Tree   ")->click();
        ModuleTreePanel* tree = s.pages.Tree();
        QCOMPARE(s.pages.WorkArea()->currentWidget(), tree);
        QCOMPARE(tree->Tree()->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->Tree()->topLevelItem(0);
        QCOMPARE(root->text(0), QString("WetWell"));
        QVERIFY(root->isExpanded());
        QTreeWidgetItem* alternator = nullptr;
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == "Alternator")
                alternator = root->child(i);
        QVERIFY(alternator);
        QCOMPARE(alternator->child(0)->text(0), QString("Pump1Start"));

        // "Edit Module" on a node, then Cancel: the tree shows again.
        tree->Tree()->setCurrentItem(alternator->child(0));
        tree->EditButton()->click();
        QCOMPARE(s.pages.WorkArea()->currentWidget(), s.editor);
        QCOMPARE(s.editor->NameField()->text(), QString("Pump1Start"));
        s.editor->Button("Cancel")->click();
        QCOMPARE(s.pages.WorkArea()->currentWidget(), tree);
        QCOMPARE(tree->Tree()->topLevelItem(0)->text(0), QString("WetWell"));

        tree->Tree()->clearSelection();
        s.app.ui.YesNoAnswers = {true};
        tree->DeleteButton()->click();
        QCOMPARE(s.app.ui.Errors, std::vector<std::string>{SelectTreeEntryMessage});
    }

    void cardPanelPlacementRules() {
        Shown s;
        s.window.Command("Set Cards")->trigger();
        CardPanelView* cards = s.pages.Cards();
        QCOMPARE(s.window.Pages()->currentWidget(), cards);
        QCOMPARE(cards->Face(3)->View().Caption, std::string("Card 3"));
        QVERIFY(!cards->LcdChoice()->isEnabled());

        cards->CageChoice()->setCurrentIndex(1);
        QCOMPARE(cards->Face(0)->View().Title, std::string("VACANT"));
        QVERIFY(DropCard(cards, "Digital inputs, 8 ch", 3, FrameOf(cards->Face(3))));
        QCOMPARE(s.app.workspace.project.Cards.At(2, 3), 6);
        QVERIFY(DropCard(cards, "Modem/RS232", 3, FrameOf(cards->Face(3))));
        QCOMPARE(s.app.ui.Errors, std::vector<std::string>{FirstCageOnlyMessage});
        QCOMPARE(s.app.workspace.project.Cards.At(2, 3), 0);

        cards->UnitChoice()->setCurrentIndex(1); // K3
        QCOMPARE(s.app.workspace.project.Unit, UnitType::K3);
        const char* captions[] = {"Front Top", "1Rear Mdm",  "2Rear Rly",   "3Rear AI", "4Rear DI",
                                  "",          "6Front Mid", "7Front Botm", ""};
        for (int slot = 0; slot < SlotCount; ++slot)
            QCOMPARE(cards->Face(slot)->View().Caption, std::string(captions[slot]));
        QVERIFY(!cards->Face(5)->isEnabled());
        QVERIFY(!cards->CageChoice()->isEnabled());
        QCOMPARE(cards->CageChoice()->currentText(), QString("1"));
        QVERIFY(cards->LcdChoice()->isEnabled());
        QCOMPARE(cards->Note()->text(), QString(K3RearSlotNote));

        CardFace* rear = cards->Face(2);
        QVERIFY(DropCard(cards, "Relay outputs,8 ch", 2, FrameOf(rear)));
        QCOMPARE(s.app.workspace.project.Cards.At(1, 2), 0);
        QVERIFY(DropCard(cards, "K3 Relay out,4 ch", 2, FrameOf(rear)));
        QCOMPARE(s.app.workspace.project.Cards.At(1, 2), 5);
        QCOMPARE(rear->View().Title, std::string("RELAY4"));
        QVERIFY(DropCard(cards, "Vacant", 2, FrameOf(rear)));
        QCOMPARE(s.app.workspace.project.Cards.At(1, 2), 5);
        QVERIFY(DropCard(cards, "Vacant", 2, rear->LineRect(4).center()));
        QCOMPARE(s.app.workspace.project.Cards.At(1, 2), 13);
    }

    void aFreeChannelOffersTheInputTypesAndShowsTheSavedName() {
        Shown s;
        s.window.Command("Set Cards")->trigger();
        CardPanelView* cards = s.pages.Cards();
        QVERIFY(DropCard(cards, "Analog inputs, 8 ch", 1, FrameOf(cards->Face(1))));
        std::string title;
        std::vector<std::string> offered;
        cards->chooseModule = [&](const std::string& question,
                                  const std::vector<std::string>& names) {
            title = question;
            offered = names;
            return std::optional<std::string>("Analog input 4-20");
        };
        QTest::mouseClick(cards->Face(1), Qt::LeftButton, {}, cards->Face(1)->LineRect(7).center());
        QCOMPARE(title, std::string("Choose Analog Input Type"));
        QCOMPARE(offered, (std::vector<std::string>{"Analog input 4-20", "Analog input 0-5v"}));
        QCOMPARE(s.window.Pages()->currentWidget(), s.pages.Page());
        QCOMPARE(s.editor->CaptionLabel()->text(), QString("\nModule Type: Analog input 4-20"));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(test::CellText(s.editor->Inputs(), row, 1), QString("1"));
        QTest::keyClicks(s.editor->NameField(), "LEVEL");
        s.editor->Button("Save")->click();
        QCOMPARE(s.window.Pages()->currentWidget(), cards);
        QCOMPARE(cards->Face(1)->View().Lines[7], std::string("LEVEL"));

        // A click on the bound line opens the instance itself.
        QTest::mouseClick(cards->Face(1), Qt::LeftButton, {}, cards->Face(1)->LineRect(7).center());
        QCOMPARE(s.editor->NameField()->text(), QString("LEVEL"));
        QCOMPARE(s.pages.Editor().State().Mode, EditorMode::Edit);
    }

    void undoTakesBackACardAndAnInstance() {
        Shown s;
        QVERIFY(s.Pick(CatMath, "Adder"));
        QTest::keyClicks(s.editor->NameField(), "SUM1");
        s.editor->Button("Save")->click();
        s.window.Command("Set Cards")->trigger();
        CardPanelView* cards = s.pages.Cards();
        QVERIFY(DropCard(cards, "Relay outputs,8 ch", 4, FrameOf(cards->Face(4))));
        QCOMPARE(cards->Face(4)->View().Title, std::string("RELAY8"));

        s.window.Command("Undo")->trigger();
        QCOMPARE(s.app.workspace.project.Cards.At(1, 4), 0);
        QCOMPARE(cards->Face(4)->View().Code, 0);
        QCOMPARE(s.pages.Instances()->List(CatMath)->count(), 1);
        s.window.Command("Undo")->trigger();
        QCOMPARE(s.app.workspace.project.ModuleCount(), 1);
        QCOMPARE(s.pages.Instances()->List(CatMath)->count(), 0);
        s.window.Command("Redo")->trigger();
        QCOMPARE(s.pages.Instances()->List(CatMath)->item(0)->text(), QString("SUM1...Adder"));
    }
};

QTEST_MAIN(ModulePagesTest)
#include "module_pages_test.moc"
