#include "CommandIds.h"
#include "MessageBar.h"
#include "Prompts.h"
#include "RandomSignals.h"
#include "RowColours.h"
#include "SelectionCarrier.h"
#include "SignalColumns.h"
#include "SignalComparison.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalFileWriter.h"
#include "SignalRowModel.h"
#include "SignalSort.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "TestTexts.h"
#include "VantorDoc.h"
#include "VantorView.h"
#include "Vocabulary.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QUndoStack>

namespace {

QStringList Rows(const CVantorView& view) {
    QStringList names;
    const auto* model = view.RowModel();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

// By the selection's ranges (whole rows): selectedRows() looks at every range for each row.
QStringList SelectedNames(const CVantorView& view) {
    QStringList names;
    for (const QItemSelectionRange& range : view.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            names << view.model()->index(row, 0).data().toString();
    }
    names.sort();
    names.removeDuplicates();
    return names;
}

void ClickRow(CVantorView& view, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = view.visualRect(view.RowModel()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cell.center());
}

} // namespace

class TestVantorView : public QObject {
    Q_OBJECT
    std::unique_ptr<CVantorDoc> m_doc;
    std::unique_ptr<CVantorView> m_view;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

private slots:
    void initTestCase() { CPrompts::SetTesting(true); }

    void init() {
        CPrompts::ShownMessages().clear();
        m_doc = std::make_unique<CVantorDoc>();
        AppendRecord(*m_doc, NewRecord("Delta", ModulationFsk, 50, 170, 0));
        AppendRecord(*m_doc, NewRecord("Alpha", ModulationFsk, 50, 425, 2));
        AppendRecord(*m_doc, NewRecord("Echo", ModulationPsk, 50, 0, 0));
        AppendRecord(*m_doc, NewRecord("Bravo", ModulationPsk, 50, 0, 16));
        AppendRecord(*m_doc, NewRecord("Foxtrot", ModulationFsk, 50, -1, -1));
        AppendRecord(*m_doc, NewRecord("Charlie", ModulationCw));
        AppendRecord(*m_doc, NewRecord("Golf", ModulationOfdm));
        m_view = std::make_unique<CVantorView>(m_doc.get());
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_view->RowModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_view->resize(800, 300);
        m_view->show();
    }
    void cleanup() {
        m_tester.reset();
        m_view.reset();
        m_doc.reset();
    }

    // The notice bar shows at most three lines, the newest notice first; More shows every
    // line and Less folds them again; a notice's buttons stand on its own row.
    void noticeBarStaysSmall() {
        CMessageBar bar;
        bar.show();
        QAction reload(QStringLiteral("&Reload"));
        bar.Show(QStringLiteral("one\ntwo\nthree\nfour"), QStringLiteral("long"));
        bar.ShowWithActions(QStringLiteral("changed"), {&reload}, QStringLiteral("file"));
        const auto shown = [&bar] {
            QStringList texts;
            for (QLabel* label : bar.findChildren<QLabel*>()) {
                if (label->isVisibleTo(&bar) && !label->text().isEmpty())
                    texts << label->text();
            }
            texts.sort();
            return texts;
        };
        auto* more = bar.findChild<QToolButton*>(QStringLiteral("messageBarMore"));
        QVERIFY(more->isVisibleTo(&bar));
        QCOMPARE(shown(),
                 (QStringList{QStringLiteral("changed"), QStringLiteral("one\ntwo \u2026")}));
        more->click();
        QCOMPARE(shown(),
                 (QStringList{QStringLiteral("changed"), QStringLiteral("one\ntwo\nthree\nfour")}));
        QCOMPARE(more->text(), QStringLiteral("&Less"));
        more->click();
        QCOMPARE(shown().size(), 2);
        // The button shares its row with its own message.
        QPushButton* button = bar.findChild<QPushButton*>();
        QVERIFY(!button->isFlat());
        QCOMPARE(button->parentWidget()->findChild<QLabel*>()->text(), QStringLiteral("changed"));
        bar.Withdraw(QStringLiteral("long"));
        QVERIFY(!more->isVisibleTo(&bar));
        QCOMPARE(shown(), QStringList{QStringLiteral("changed")});
    }

    void columnsAndCells() {
        const auto* model = m_view->RowModel();
        QCOMPARE(model->columnCount(), 14);
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Baud / Symbol Rate"));
        QCOMPARE(m_view->horizontalHeader()->sectionSize(13), 100);
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("FSK"));
        QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("PSK-2"));
        QCOMPARE(model->index(4, 5).data().toString(), QStringLiteral("*"));
        // The text refers to the record's own storage: nothing was formatted or copied.
        const QString cell = model->index(0, 0).data().toString();
        QCOMPARE(static_cast<const void*>(cell.constData()),
                 static_cast<const void*>(m_doc->GetSignal(0)->m_szName));
        QCOMPARE(m_view->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(m_view->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    // Numbers are shown in the locale's form: a decimal comma in German.
    void numberCellsInTheLocalesForm() {
        AppendRecord(*m_doc, NewRecord("Hotel", ModulationFsk, 45.45, 170, 0));
        const auto* model = m_view->RowModel();
        const int row = model->rowCount() - 1;
        QCOMPARE(model->index(row, 0).data().toString(), QStringLiteral("Hotel"));
        QCOMPARE(model->index(row, ColumnBaudrate).data().toString(), QStringLiteral("45.45"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        QCOMPARE(model->index(row, ColumnBaudrate).data().toString(), QStringLiteral("45,45"));
    }

    void filters_data() {
        QTest::addColumn<uint>("filter");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("all") << uint(ID_FILTER_ALL)
                             << QStringList{"Delta",   "Alpha",   "Echo", "Bravo",
                                            "Foxtrot", "Charlie", "Golf"};
        QTest::newRow("fsk") << uint(ID_FILTER_FSK) << QStringList{"Delta", "Foxtrot"};
        QTest::newRow("fsk multi") << uint(ID_FILTER_FSK_MULTICARRIER) << QStringList{"Alpha"};
        QTest::newRow("psk") << uint(ID_FILTER_PSK) << QStringList{"Echo"};
        QTest::newRow("psk multi") << uint(ID_FILTER_PSK_MULTICARRIER) << QStringList{"Bravo"};
        QTest::newRow("ofdm") << uint(ID_FILTER_OFDM) << QStringList{"Golf"};
        QTest::newRow("mfsk") << uint(ID_FILTER_MFSK) << QStringList{};
    }
    void filters() {
        QFETCH(uint, filter);
        QFETCH(QStringList, rows);
        m_view->Command(filter)->trigger();
        QCOMPARE(Rows(*m_view), rows);
        for (uint id = ID_FILTER_ALL; id <= ID_FILTER_PSK_MULTICARRIER; ++id) {
            QCOMPARE(m_view->Command(id)->isChecked(), id == filter);
            QVERIFY(m_view->Command(id)->isEnabled());
        }
    }

    // View > Sort By does what a header click does, sets the direction, and marks the order
    // the rows follow.
    void sortByMenu() {
        const std::uint32_t byShift = ID_SORT_BY_FIRST + std::uint32_t(ColumnShift);
        m_view->Command(byShift)->trigger();
        QCOMPARE(m_view->horizontalHeader()->sortIndicatorSection(), int(ColumnShift));
        QVERIFY(m_view->Command(byShift)->isChecked());
        QVERIFY(m_view->Command(ID_SORT_ASCENDING)->isChecked());
        // By value (the wildcard "*" as -1), the signals without a shift last in both
        // directions, in the order they had.
        const QStringList unshifted{"Echo", "Bravo", "Charlie", "Golf"};
        QCOMPARE(Rows(*m_view), QStringList({"Foxtrot", "Delta", "Alpha"}) + unshifted);
        m_view->Command(ID_SORT_DESCENDING)->trigger();
        QCOMPARE(m_view->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QVERIFY(m_view->Command(ID_SORT_DESCENDING)->isChecked());
        QCOMPARE(Rows(*m_view), QStringList({"Alpha", "Delta", "Foxtrot"}) + unshifted);
        QCOMPARE(m_view->Command(byShift)->text(), QStringLiteral("S&hift"));
    }

    void columnClickToggles() {
        // The records were appended in no column's order: no arrow. The list starts out
        // remembering Name ascending, so the first click on Name sorts descending, the next
        // one reverses; a click on another column sorts ascending.
        QVERIFY(!m_view->horizontalHeader()->isSortIndicatorShown());
        m_view->OnColumnClick(0);
        QVERIFY(m_view->SortDescending());
        QCOMPARE(Rows(*m_view).first(), QStringLiteral("Golf"));
        QVERIFY(m_view->horizontalHeader()->isSortIndicatorShown());
        m_view->OnColumnClick(0);
        QVERIFY(!m_view->SortDescending());
        QCOMPARE(Rows(*m_view).first(), QStringLiteral("Alpha"));
        m_view->OnColumnClick(5); // shift: zero last both ways, -1 first ascending
        QCOMPARE(Rows(*m_view),
                 (QStringList{"Foxtrot", "Delta", "Alpha", "Bravo", "Charlie", "Echo", "Golf"}));
        m_view->OnColumnClick(5);
        QCOMPARE(Rows(*m_view),
                 (QStringList{"Alpha", "Delta", "Foxtrot", "Bravo", "Charlie", "Echo", "Golf"}));
        QCOMPARE(m_view->horizontalHeader()->sortIndicatorSection(), 5);
        QCOMPARE(m_view->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        m_view->OnColumnClick(-1);
        QCOMPARE(m_view->SortColumn(), 5);
        QVERIFY(!m_doc->IsModified());
        // Under a filter the sort reorders only what is shown.
        m_view->Command(ID_FILTER_FSK)->trigger();
        m_view->OnColumnClick(0);
        QCOMPARE(Rows(*m_view), (QStringList{"Delta", "Foxtrot"}));
    }

    // On a light background the rows keep their colours exactly; on a dark one each keeps its
    // hue and reaches a contrast of 4.5:1 at least. Invalid rows also carry a sign. The message
    // bar takes the new theme's note colours.
    void rowColours_data() {
        QTest::addColumn<QColor>("base");
        QTest::newRow("light") << QColor(Qt::white);
        QTest::newRow("dark") << QColor(0x23, 0x23, 0x23);
        QTest::newRow("black look") << QColor(0x25, 0x25, 0x25);
    }
    void rowColours() {
        QFETCH(QColor, base);
        const QPalette before = QGuiApplication::palette();
        auto restore = qScopeGuard([&before] { QGuiApplication::setPalette(before); });
        CMessageBar bar; // made before the theme changes, it follows
        QPalette palette = before;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::ToolTipBase, base);
        QGuiApplication::setPalette(palette);
        QCoreApplication::processEvents();
        QCOMPARE(bar.palette().color(QPalette::Window), base);
        CSignalDescription* merged = m_doc->GetSignal(0);
        merged->SetMerged(true);
        CSignalDescription* mergedInvalid = m_doc->GetSignal(1);
        mergedInvalid->SetMerged(true);
        // Invalid as reading finds them: no name.
        for (CSignalDescription* invalid : {mergedInvalid, m_doc->GetSignal(2)}) {
            CopyText(invalid->m_szName, u"");
            QVERIFY(invalid->Recheck(true) != SignalProblem::None);
        }
        m_doc->GetSignal(2)->m_bDisabled = true;
        m_doc->GetSignal(3)->m_bDisabled = true;
        const auto colour = [this](int row) {
            return m_view->RowModel()->index(row, 7).data(Qt::ForegroundRole);
        };
        const QColor own[] = {QColor(0, 160, 0), QColor(255, 160, 0), QColor(255, 0, 0),
                              QColor(160, 160, 160)};
        for (int row = 0; row < 4; ++row) {
            const QColor shown = colour(row).value<QColor>();
            if (base == Qt::white) {
                QCOMPARE(shown, own[row]);
            } else {
                QVERIFY2(ContrastRatio(shown, base) >= 4.5, qPrintable(shown.name()));
                QCOMPARE(shown.hslHue(), own[row].hslHue());
            }
            const bool invalid = m_doc->GetSignal(row)->IsInvalid();
            QCOMPARE(m_view->RowModel()->index(row, 0).data(Qt::DecorationRole).isValid(), invalid);
        }
        QVERIFY(!colour(4).isValid());
        // A comparison's backgrounds keep the palette's text readable.
        const QColor text = base == Qt::white ? QColor(Qt::black) : QColor(0xee, 0xee, 0xee);
        for (int state = 1; state <= 3; ++state)
            QVERIFY(ContrastRatio(text, ComparedColour(state, base)) >= 4.5);
    }

    // Compare With (tests/data/diff): each kind of difference marked and counted, F8 visits
    // each once, Take from Other on every row makes the database the other version in one
    // undo step, Undo gives it back, Esc ends the comparison.
    void compareWithOtherVersion_data() {
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QList<int>>("counts"); // added, removed, changed
        QTest::newRow("two versions") << "old.xml"
                                      << "new.xml" << QList<int>{1, 1, 2};
        QTest::newRow("the other way") << "new.xml"
                                       << "old.xml" << QList<int>{1, 1, 2};
        QTest::newRow("the same") << "old.xml"
                                  << "old.xml" << QList<int>{0, 0, 0};
    }
    void compareWithOtherVersion() {
        QFETCH(QString, mine);
        QFETCH(QString, other);
        QFETCH(QList<int>, counts);
        const QString data = QStringLiteral(QUARN_TEST_DATA "/diff/");
        QVERIFY(m_doc->OnOpenDocument(data + mine));
        const int own = m_doc->GetSignalCount();
        QVERIFY(m_view->CompareWith(data + other));
        const CSignalComparison::Counts found = m_view->Comparison()->Count();
        QCOMPARE((QList<int>{found.added, found.removed, found.changed}), counts);
        const CSignalRowModel* rows = m_view->RowModel();
        QCOMPARE(rows->rowCount(), own + counts[0]);
        // Every difference is said in words as well as in colour.
        int said = 0;
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QModelIndex name = rows->index(row, 0);
            const bool marked = name.data(Qt::BackgroundRole).isValid();
            QCOMPARE(marked, rows->IsDifferent(row));
            said += name.data(Qt::AccessibleDescriptionRole).toString().contains(u"other version");
        }
        QCOMPARE(said, counts[0] + counts[1] + counts[2]);
        if (mine == "old.xml" && other == "new.xml") {
            // Alpha's baud cell: highlighted, the other value in its tooltip.
            const QModelIndex baud = rows->index(0, ColumnBaudrate);
            QVERIFY(baud.data(Qt::BackgroundRole).isValid());
            QVERIFY(!rows->index(0, ColumnShift).data(Qt::BackgroundRole).isValid());
            QCOMPARE(baud.data(Qt::ToolTipRole).toString(),
                     QStringLiteral("The other version has \u201C45.45\u201D"));
        }
        if (counts[0] > 0) {
            // The other version's row is not this database's: Edit is off, Delete and Copy
            // take nothing.
            const int last = rows->rowCount() - 1;
            m_view->setCurrentIndex(rows->index(last, 0));
            m_view->selectRow(last);
            QVERIFY(rows->IsOtherRow(last));
            QVERIFY(!m_view->Command(ID_SIGNAL_EDIT)->isEnabled());
            QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
            m_view->OnEditCopy();
            m_view->OnSignalDelete();
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
            QCOMPARE(m_doc->GetSignalCount(), own);
        }
        // F8 from the top visits each difference once, then stays.
        m_view->selectionModel()->clear();
        int visits = 0;
        for (int previous = -1;; ++visits) {
            m_view->Command(ID_VIEW_NEXT_DIFFERENCE)->trigger();
            const int row = m_view->currentIndex().row();
            if (row == previous)
                break;
            QVERIFY(rows->IsDifferent(row));
            previous = row;
        }
        QCOMPARE(visits, counts[0] + counts[1] + counts[2]);
        const int steps = m_view->UndoStack()->count();
        m_view->selectAll();
        m_view->Command(ID_EDIT_TAKE_FROM_OTHER)->trigger();
        QTRY_COMPARE(m_view->Comparison()->Count().Total(), 0);
        QCOMPARE(m_view->UndoStack()->count(), steps + (counts[0] + counts[1] + counts[2] > 0));
        QCOMPARE(rows->rowCount(), m_doc->GetSignalCount());
        if (m_view->UndoStack()->count() > steps) {
            m_view->UndoStack()->undo();
            QTRY_COMPARE(m_view->Comparison()->Count().Total(), counts[0] + counts[1] + counts[2]);
            QCOMPARE(m_doc->GetSignalCount(), own);
        }
        // Compared again: the new comparison takes the old one's place.
        QVERIFY(m_view->CompareWith(data + other));
        QCOMPARE(m_view->Comparison()->Count().Total(), counts[0] + counts[1] + counts[2]);
        m_view->setFocus();
        QTest::keyClick(m_view.get(), Qt::Key_Escape);
        QVERIFY(m_view->Comparison() == nullptr);
        QCOMPARE(rows->rowCount(), m_doc->GetSignalCount());
    }

    void deleteAsksAndRemovesSelected() {
        m_view->Command(ID_FILTER_PSK)->trigger();
        m_view->Command(ID_FILTER_ALL)->trigger();
        m_view->selectRow(1);
        m_view->selectionModel()->select(m_view->RowModel()->index(3, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        CPrompts::PushAnswer(QMessageBox::No);
        m_view->Command(ID_SIGNAL_DELETE)->trigger();
        QCOMPARE(m_doc->GetSignalCount(), 7);
        QCOMPARE(CPrompts::ShownMessages().last().caption, QStringLiteral("Warning"));
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 QStringLiteral("Do you really want to delete the selected items?"));
        QVERIFY(!m_doc->IsModified());
        CPrompts::PushAnswer(QMessageBox::Yes);
        m_view->Command(ID_SIGNAL_DELETE)->trigger();
        QCOMPARE(Rows(*m_view), (QStringList{"Delta", "Echo", "Foxtrot", "Charlie", "Golf"}));
        QVERIFY(m_doc->IsModified());
        // No row is selected or focused afterwards: a second Delete asks nothing.
        QCOMPARE(SelectedNames(*m_view), QStringList{});
        QVERIFY(!m_view->currentIndex().isValid());
        // Nothing selected: no question at all.
        const auto shown = CPrompts::ShownMessages().size();
        m_view->Command(ID_SIGNAL_DELETE)->trigger();
        QCOMPARE(CPrompts::ShownMessages().size(), shown);
    }

    void deleteUnderFilterKeepsHidden() {
        m_view->Command(ID_FILTER_FSK)->trigger();
        m_view->Command(ID_EDIT_SELECT_ALL)->trigger();
        CPrompts::PushAnswer(QMessageBox::Yes);
        m_view->Command(ID_SIGNAL_DELETE)->trigger();
        m_view->Command(ID_FILTER_ALL)->trigger();
        QCOMPARE(Rows(*m_view), (QStringList{"Alpha", "Echo", "Bravo", "Charlie", "Golf"}));
    }

    void enableDisableMarkModified() {
        m_view->selectRow(0);
        m_view->selectionModel()->select(m_view->RowModel()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        m_view->Command(ID_SIGNAL_ENABLE)->trigger(); // already enabled: no change
        QVERIFY(!m_doc->IsModified());
        m_view->Command(ID_SIGNAL_DISABLE)->trigger();
        QVERIFY(m_doc->GetSignal(0)->m_bDisabled);
        QVERIFY(m_doc->GetSignal(2)->m_bDisabled);
        QVERIFY(!m_doc->GetSignal(1)->m_bDisabled);
        QVERIFY(m_doc->IsModified());
        QCOMPARE(m_view->RowModel()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(160, 160, 160));
        QCOMPARE(m_view->selectionModel()->selectedRows().size(), 2);
        QVERIFY(m_view->selectionModel()->isRowSelected(0, QModelIndex()));
        QVERIFY(m_view->selectionModel()->isRowSelected(2, QModelIndex()));
    }

    void deleteThreeRowsUnderPsk() {
        for (const char* name : {"P1", "P2", "P3", "P4"})
            AppendRecord(*m_doc, NewRecord(name, ModulationPsk));
        m_view->Command(ID_FILTER_PSK)->trigger();
        QCOMPARE(Rows(*m_view), (QStringList{"Echo", "P1", "P2", "P3", "P4"}));
        for (int row : {0, 2, 4})
            m_view->selectionModel()->select(m_view->RowModel()->index(row, 0),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
        CPrompts::PushAnswer(QMessageBox::Yes);
        m_view->Command(ID_SIGNAL_DELETE)->trigger();
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(Rows(*m_view), (QStringList{"P1", "P3"}));
        QCOMPARE(SelectedNames(*m_view), QStringList{});
        m_view->Command(ID_FILTER_ALL)->trigger();
        QCOMPARE(m_doc->GetSignalCount(), 8);
    }

    void editMovesRecordOutOfFilter() {
        m_view->Command(ID_FILTER_FSK)->trigger();
        CPrompts::PushDialogHandler([](QDialog& d) {
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.FamilyButton(ModulationCw)->click();
            editor.accept();
            return editor.result();
        });
        m_view->EditRow(0); // "Delta" becomes CW
        QCOMPARE(Rows(*m_view), QStringList{"Foxtrot"});
        QVERIFY(!m_view->selectionModel()->hasSelection());
        QVERIFY(m_doc->IsModified());
    }

    // OK without a change leaves every row where it stood under the list's sort: the edited
    // signal keeps its place among equal keys (three "A"), also where the sort compares
    // nothing (Comments); undo gives the same order back.
    void unchangedEditKeepsItsPlace_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("edited"); // name and comment of the row edited
        QTest::newRow("Name, the first of three") << int(ColumnName) << "A one";
        QTest::newRow("Name, the middle one") << int(ColumnName) << "A two";
        QTest::newRow("Modulation, the first FSK") << int(ColumnModulation) << "Delta ";
        QTest::newRow("Comments, the first row") << int(ColumnComment) << "FIRST";
    }
    void unchangedEditKeepsItsPlace() {
        QFETCH(int, column);
        QFETCH(QString, edited);
        for (const char* comment : {"one", "two", "three"}) {
            auto record = NewRecord("A", ModulationFsk, 50, 170);
            CopyText(record->m_szComment, QString::fromLatin1(comment).toStdU16String().c_str());
            AppendRecord(*m_doc, std::move(record));
        }
        m_view->Command(ID_SORT_BY_FIRST + std::uint32_t(column))->trigger();
        const auto rows = [this] {
            QStringList shown;
            const auto* model = m_view->RowModel();
            for (int row = 0; row < model->rowCount(); ++row)
                shown << model->index(row, 0).data().toString() + u' ' +
                             model->index(row, ColumnComment).data().toString();
            return shown;
        };
        const QStringList before = rows();
        const int row = edited == QLatin1String("FIRST") ? 0 : int(before.indexOf(edited));
        QVERIFY(row >= 0);
        CPrompts::PushDialogHandler([](QDialog& d) {
            d.accept();
            return d.result();
        });
        m_view->EditRow(row);
        QCOMPARE(rows(), before);
        QCOMPARE(m_view->currentIndex().row(), row);
        m_doc->History()->undo();
        QCOMPARE(rows(), before);
    }

    // The arrow shows only while the rows are in its order: open sorts by name ascending,
    // a merge that appends hides it, a click or the re-sort after New shows it again. The
    // column a click reverses is the one the user sorted by last, through Open and Merge.
    void sortArrowTellsTheTruth() {
        QTemporaryDir dir;
        const QString base = dir.filePath("base.xml");
        QVERIFY(m_doc->OnSaveDocument(base));
        QVERIFY(
            WriteBytes(dir.filePath("other.xml"), "<r><Signal Name='Aaron' Modulation='CW'/></r>"));
        const QHeaderView* header = m_view->horizontalHeader();
        m_view->OnColumnClick(5);
        QVERIFY(header->isSortIndicatorShown());
        QVERIFY(m_doc->OnOpenDocument(base));
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), 0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        QVERIFY(m_doc->MergeFile(base)); // nothing appended: the order holds
        QVERIFY(header->isSortIndicatorShown());
        QVERIFY(m_doc->MergeFile(dir.filePath("other.xml")));
        QVERIFY(!header->isSortIndicatorShown());
        QCOMPARE(Rows(*m_view).last(), QStringLiteral("Aaron"));
        CPrompts::PushDialogHandler([](QDialog& d) {
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.NameEdit()->setText(QStringLiteral("Zz"));
            editor.FamilyButton(ModulationCw)->click();
            editor.accept();
            return editor.result();
        });
        // New sorts by the column the list remembers through Open and Merge: Shift.
        m_view->Command(ID_SIGNAL_NEW)->trigger();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), 5);
        QCOMPARE(Rows(*m_view), (QStringList{"Foxtrot", "Delta", "Alpha", "Bravo", "Charlie",
                                             "Echo", "Golf", "Aaron", "Zz"}));
        // A click on Shift reverses it; one on Name sorts ascending.
        m_view->OnColumnClick(5);
        QVERIFY(m_view->SortDescending());
        m_view->OnColumnClick(0);
        QVERIFY(!m_view->SortDescending());
        QCOMPARE(Rows(*m_view).first(), QStringLiteral("Aaron"));
    }

    void newRecordLandsSortedAndSelected() {
        m_doc->SortSignals(0, false);
        m_view->RebuildRows();
        CPrompts::PushDialogHandler([](QDialog& d) {
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.NameEdit()->setText(QStringLiteral("Bz"));
            editor.FamilyButton(ModulationCw)->click();
            editor.accept();
            return editor.result();
        });
        m_view->Command(ID_SIGNAL_NEW)->trigger();
        QCOMPARE(m_doc->GetSignalCount(), 8);
        QVERIFY(m_doc->IsModified());
        QCOMPARE(Rows(*m_view).at(2), QStringLiteral("Bz"));
        QCOMPARE(m_view->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(m_view->selectionModel()->selectedRows().first().row(), 2);
        QCOMPARE(m_view->currentIndex().row(), 2);
    }

    void newCancelledOrHiddenByFilter() {
        MarkSaved(*m_doc);
        CPrompts::PushDialogHandler([](QDialog& d) {
            d.reject();
            return d.result();
        });
        m_view->Command(ID_SIGNAL_NEW)->trigger();
        QCOMPARE(m_doc->GetSignalCount(), 7);
        QVERIFY(!m_doc->IsModified());
        m_view->Command(ID_FILTER_OFDM)->trigger();
        CPrompts::PushDialogHandler([](QDialog& d) {
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.NameEdit()->setText(QStringLiteral("Hidden"));
            editor.FamilyButton(ModulationCw)->click();
            editor.accept();
            return editor.result();
        });
        m_view->Command(ID_SIGNAL_NEW)->trigger();
        QCOMPARE(m_doc->GetSignalCount(), 8);
        QCOMPARE(Rows(*m_view), QStringList{"Golf"});
        QVERIFY(!m_view->selectionModel()->hasSelection());
    }

    // The same signals stay selected, and the current one current, across a sort, a filter,
    // a find, a merge and the undo of a scattered delete: rows move (a layout change), the
    // model is never reset.
    void selectionSurvives_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("sort") << "sort" << QStringList{"Bravo", "Delta"};
        QTest::newRow("filter") << "filter" << QStringList{"Bravo"};
        QTest::newRow("find") << "find" << QStringList{"Bravo"};
        QTest::newRow("merge") << "merge" << QStringList{"Bravo", "Delta"};
        QTest::newRow("undo of a scattered delete") << "undo" << QStringList{"Bravo", "Delta"};
    }
    void selectionSurvives() {
        QFETCH(QString, change);
        QFETCH(QStringList, selected);
        const auto rowOf = [this](const QString& name) { return int(Rows(*m_view).indexOf(name)); };
        if (change == "undo") {
            ClickRow(*m_view, rowOf("Alpha"));
            ClickRow(*m_view, rowOf("Foxtrot"), Qt::ControlModifier);
            CPrompts::PushAnswer(QMessageBox::Yes);
            m_view->OnSignalDelete();
        }
        ClickRow(*m_view, rowOf("Delta"));
        ClickRow(*m_view, rowOf("Bravo"), Qt::ControlModifier);
        QCOMPARE(SelectedNames(*m_view), (QStringList{"Bravo", "Delta"}));
        QSignalSpy resets(m_view->RowModel(), &QAbstractItemModel::modelReset);
        QTemporaryDir dir;
        if (change == "undo") {
            m_view->UndoStack()->undo();
            QCOMPARE(Rows(*m_view).size(), 7);
        } else if (change == "find") {
            m_view->SetFindText(QStringLiteral("avo"));
        } else if (change == "sort") {
            QTest::mouseClick(m_view->horizontalHeader()->viewport(), Qt::LeftButton, {},
                              QPoint(10, 5));
            QCOMPARE(Rows(*m_view).first(), QStringLiteral("Golf"));
        } else if (change == "filter") {
            m_view->Command(ID_FILTER_PSK_MULTICARRIER)->trigger();
        } else {
            const QString path = dir.filePath("more.xml");
            QVERIFY(WriteBytes(
                path, "<SignalDatabase><SignalList><Signal Name=\"Hotel\" Mode=\"no-mode\" "
                      "Modulation=\"CW\" Disabled=\"0\"/></SignalList></SignalDatabase>"));
            QVERIFY(m_doc->MergeFile(path));
            QCOMPARE(Rows(*m_view).last(), QStringLiteral("Hotel"));
        }
        QCOMPARE(SelectedNames(*m_view), selected);
        QCOMPARE(m_view->currentIndex().data().toString(), QStringLiteral("Bravo"));
        QCOMPARE(resets.count(), 0);
    }

    // A selection beyond CSelectionCarrier::LargeSelection rows is disabled at once and carried
    // through sorts, a filter and a find as its records: the same signals stay selected, the
    // current one current, and the model is never reset.
    void largeSelectionSurvives() {
        CVantorDoc doc;
        const int count = 2 * CSelectionCarrier::LargeSelection + 11;
        for (int i = 0; i < count; ++i) {
            const bool fsk = i % 3 != 0;
            AppendRecord(
                doc,
                NewRecord(
                    QStringLiteral("%1%2").arg(QChar(fsk ? u'F' : u'P')).arg(i, 6, 10, QChar(u'0')),
                    fsk ? ModulationFsk : ModulationPsk, 50, (i * 7919) % 997));
        }
        CVantorView view(&doc);
        QItemSelection chosen;
        for (int row = 1; row < count; row += 2)
            chosen.select(view.model()->index(row, 0),
                          view.model()->index(row, view.model()->columnCount() - 1));
        view.selectionModel()->select(chosen, QItemSelectionModel::Select);
        view.selectionModel()->setCurrentIndex(view.model()->index(1, 0),
                                               QItemSelectionModel::NoUpdate);
        const QString current = view.currentIndex().data().toString();
        const QStringList all = SelectedNames(view);
        QCOMPARE(all.size(), count / 2);
        const QStringList fsk = all.filter(QRegularExpression(QStringLiteral("^F")));
        QSignalSpy resets(view.RowModel(), &QAbstractItemModel::modelReset);
        // A change of thousands of scattered rows reaches the view as one notice spanning them.
        QSignalSpy changed(view.RowModel(), &QAbstractItemModel::dataChanged);
        view.Command(ID_SIGNAL_DISABLE)->trigger();
        QCOMPARE(changed.count(), 1);
        QVERIFY(changed.front().at(0).toModelIndex().row() <= chosen.front().top());
        QVERIFY(changed.front().at(1).toModelIndex().row() >= chosen.back().bottom());
        QCOMPARE(SelectedNames(view), all);
        const std::pair<std::function<void()>, QStringList> steps[] = {
            {[&] { view.OnColumnClick(ColumnShift); }, all},
            {[&] { view.OnColumnClick(ColumnName); }, all},
            {[&] { view.Command(ID_FILTER_FSK)->trigger(); }, fsk},
            {[&] { view.Command(ID_FILTER_ALL)->trigger(); }, fsk},
            {[&] { view.SetFindText(QStringLiteral("p0")); }, QStringList()},
        };
        for (const auto& [step, selected] : steps) {
            step();
            QCOMPARE(SelectedNames(view), selected);
            if (selected.contains(current))
                QCOMPARE(view.currentIndex().data().toString(), current);
        }
        QCOMPARE(resets.count(), 0);
    }

    // Home and End (with or without Ctrl) go to the first and last row and keep the
    // horizontal position; so does the selection of an edited row.
    void rowMovesKeepTheColumn() {
        m_view->resize(400, 200);
        const QModelIndex start = m_view->RowModel()->index(2, 10);
        m_view->setCurrentIndex(start);
        m_view->scrollTo(start);
        QScrollBar* bar = m_view->horizontalScrollBar();
        const int scroll = bar->value();
        QVERIFY(scroll > 0);
        const int last = m_view->RowModel()->rowCount() - 1;
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int row;
        } moves[] = {{Qt::Key_End, {}, last},
                     {Qt::Key_Home, {}, 0},
                     {Qt::Key_End, Qt::ControlModifier, last},
                     {Qt::Key_Home, Qt::ControlModifier, 0}};
        for (const auto& move : moves) {
            QTest::keyClick(m_view.get(), move.key, move.modifiers);
            QCOMPARE(m_view->currentIndex().row(), move.row);
            QCOMPARE(m_view->currentIndex().column(), 10);
            QCOMPARE(bar->value(), scroll);
        }
        CPrompts::PushDialogHandler([](QDialog& d) {
            static_cast<CSignalEditDialog&>(d).accept();
            return d.result();
        });
        const QRect cell = m_view->visualRect(m_view->RowModel()->index(0, 10));
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(m_view->currentIndex().column(), 10);
        QCOMPARE(bar->value(), scroll);
    }

    // The Menu key and Shift+F10 open the context menu at the current row.
    void contextMenuKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Menu") << int(Qt::Key_Menu) << 0;
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    }
    void contextMenuKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QMenu menu;
        menu.addAction(QStringLiteral("item"));
        m_view->SetContextMenu(&menu);
        m_view->setCurrentIndex(m_view->RowModel()->index(3, 0));
        QTest::keyClick(m_view.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(menu.isVisible());
        const QRect cell = m_view->visualRect(m_view->currentIndex());
        QCOMPARE(menu.pos(), m_view->viewport()->mapToGlobal(QPoint(cell.left(), cell.bottom())));
        menu.hide();
    }

    // A cell whose text does not fit or has more than one line shows all of it as its
    // tooltip, below the validation message of an invalid row.
    void cellToolTips_data() {
        QTest::addColumn<QString>("comment");
        QTest::addColumn<bool>("invalid");
        QTest::addColumn<bool>("whole");
        const QString wide = QString(60, u'w');
        QTest::newRow("fits") << "short" << false << false;
        QTest::newRow("too wide") << wide << false << true;
        QTest::newRow("two lines") << "one\ntwo" << false << true;
        QTest::newRow("invalid, fits") << "short" << true << false;
        QTest::newRow("invalid, too wide") << wide << true << true;
    }
    void cellToolTips() {
        QFETCH(QString, comment);
        QFETCH(bool, invalid);
        QFETCH(bool, whole);
        QVERIFY(m_doc->OnOpenDocument(QStringLiteral(QUARN_TEST_DATA "/mixed.xml")));
        int row = 0;
        while ((m_view->RowModel()->SignalAt(row)->InvalidReason() != nullptr) != invalid)
            ++row;
        CSignalDescription* signal = m_view->RowModel()->SignalAt(row);
        CopyText(signal->m_szComment, comment.toStdU16String());
        const QModelIndex index = m_view->RowModel()->index(row, 13);
        m_view->scrollTo(index);
        const QString message = invalid ? QString::fromUtf16(signal->InvalidReason()) : "";
        QString expected = message;
        if (whole)
            expected = message.isEmpty() ? comment : message + "\n" + comment;
        const QPoint at = m_view->visualRect(index).center();
        QHelpEvent help(QEvent::ToolTip, at, m_view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(m_view->viewport(), &help);
        if (expected.isEmpty()) {
            QTRY_VERIFY(!QToolTip::isVisible());
        } else {
            QVERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), expected);
        }
        QToolTip::hideText();
    }

    // Random sequences of every change the history records, undone step by step, give each
    // earlier state back exactly (records, order, flags), down to the opened file with the
    // modified flag clear; redone, they give the final state.
    void undoRedoGivesEveryStateBack() {
        QRandomGenerator random(20261207);
        QTemporaryDir dir;
        QUndoStack* undo = m_view->UndoStack();
        const auto snapshot = [this] {
            QStringList records;
            for (const auto& signal : m_doc->Signals())
                records << Describe(*signal);
            return records;
        };
        const auto randomXml = [&random](int count) {
            SignalCollection records;
            for (int i = 0; i < count; ++i)
                records.push_back(std::make_unique<CSignalDescription>(RandomRecord(random)));
            QByteArray xml;
            QString error;
            CSignalFileWriter::WriteBuffer(records, xml, error);
            return xml;
        };
        const auto selectRandomRows = [&] {
            m_view->selectionModel()->clear();
            const int rows = m_view->RowModel()->rowCount();
            for (int row = 0; row < rows; ++row) {
                if (random.bounded(3) == 0)
                    m_view->selectionModel()->select(m_view->RowModel()->index(row, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
            }
        };
        for (int round = 0; round < 15; ++round) {
            QVERIFY(m_doc->OnOpenDocument(QStringLiteral(QUARN_TEST_DATA "/mixed.xml")));
            QMap<int, QStringList> states{{0, snapshot()}};
            for (int step = 0; step < 10; ++step) {
                const int rows = m_view->RowModel()->rowCount();
                switch (random.bounded(7)) {
                case 0:
                case 1: { // New, or Edit of a random row
                    const bool edit = rows > 0 && random.bounded(2) == 0;
                    const QString name = QString::number(random.bounded(1000));
                    CPrompts::PushDialogHandler([name](QDialog& d) {
                        auto& editor = static_cast<CSignalEditDialog&>(d);
                        editor.NameEdit()->setText(name);
                        if (editor.GetCheckedModulation() == 0)
                            editor.FamilyButton(ModulationCw)->click();
                        editor.accept();
                        return editor.result();
                    });
                    if (edit)
                        m_view->setCurrentIndex(
                            m_view->RowModel()->index(int(random.bounded(rows)), 0));
                    m_view->Command(edit ? ID_SIGNAL_EDIT : ID_SIGNAL_NEW)->trigger();
                    CPrompts::Reset();
                    break;
                }
                case 2:
                    selectRandomRows();
                    CPrompts::PushAnswer(QMessageBox::Yes);
                    m_view->Command(ID_SIGNAL_DELETE)->trigger();
                    break;
                case 3:
                case 4:
                    selectRandomRows();
                    m_view->Command(random.bounded(2) ? ID_SIGNAL_ENABLE : ID_SIGNAL_DISABLE)
                        ->trigger();
                    break;
                case 5: {
                    const QString path = dir.filePath(QStringLiteral("merge.xml"));
                    QVERIFY(WriteBytes(path, randomXml(3)));
                    QVERIFY(m_doc->MergeFile(path));
                    break;
                }
                default:
                    QGuiApplication::clipboard()->setText(QString::fromUtf8(randomXml(2)));
                    m_view->Command(ID_EDIT_PASTE)->trigger();
                    break;
                }
                states[undo->index()] = snapshot();
            }
            const QStringList final = snapshot();
            QVERIFY(undo->count() > 0);
            while (undo->canUndo()) {
                undo->undo();
                QCOMPARE(snapshot(), states.value(undo->index()));
            }
            QVERIFY(!m_doc->IsModified());
            while (undo->canRedo())
                undo->redo();
            QCOMPARE(snapshot(), final);
            QVERIFY(m_doc->IsModified());
        }
    }

    // Undoing a change takes back that change only: a sort made after it stays, and the
    // rows keep following the arrow.
    void undoKeepsALaterSort_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("new") << int(ID_SIGNAL_NEW);
        QTest::newRow("edit") << int(ID_SIGNAL_EDIT);
        QTest::newRow("duplicate") << int(ID_SIGNAL_DUPLICATE);
        QTest::newRow("delete") << int(ID_SIGNAL_DELETE);
        QTest::newRow("cut") << int(ID_EDIT_CUT);
        QTest::newRow("disable") << int(ID_SIGNAL_DISABLE);
        QTest::newRow("paste") << int(ID_EDIT_PASTE);
    }
    void undoKeepsALaterSort() {
        QFETCH(int, command);
        const auto contents = [this] {
            QStringList records;
            for (const auto& signal : m_doc->Signals())
                records << Describe(*signal);
            records.sort();
            return records;
        };
        m_view->OnColumnClick(0);
        const QStringList before = contents();
        m_view->OnEditSelectAll();
        m_view->OnEditCopy();
        m_view->setCurrentIndex(m_view->RowModel()->index(1, 0));
        CPrompts::PushAnswer(QMessageBox::Yes);
        CPrompts::PushDialogHandler([](QDialog& d) {
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.NameEdit()->setText(QStringLiteral("Zulu"));
            editor.FamilyButton(ModulationCw)->click();
            editor.accept();
            return editor.result();
        });
        m_view->Command(std::uint32_t(command))->trigger();
        CPrompts::Reset();
        QVERIFY(contents() != before);
        m_view->OnColumnClick(5);
        m_view->UndoStack()->undo();
        QCOMPARE(contents(), before);
        const SignalCollection& records = m_doc->Signals();
        for (std::size_t i = 1; i < records.size(); ++i)
            QVERIFY(CompareSignals(*records[i - 1], *records[i], 5, false) <= 0);
        QCOMPARE(m_view->horizontalHeader()->sortIndicatorSection(), 5);
        QVERIFY(m_view->horizontalHeader()->isSortIndicatorShown());
    }

    // The find shows exactly the records whose searched texts contain the text, ignoring
    // case, for ASCII and other texts, and follows a record's new name after an edit.
    void findMatchesLikeQString_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"a", "ALP", "psk", "été", "ÉTÉ", "\xce\xa3", " ", "zz"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void findMatchesLikeQString() {
        QFETCH(QString, text);
        CopyText(m_doc->GetSignal(0)->m_szComment, u"Été à Σ-station");
        CopyText(m_doc->GetSignal(2)->m_szITU, u"ALPHA1");
        const auto expected = [this, &text] {
            QStringList names;
            for (const auto& signal : m_doc->Signals()) {
                bool found = false;
                for (int column : {0, 1, 2, 12, 13})
                    found |= Cell(*signal, column).contains(text, Qt::CaseInsensitive);
                if (found)
                    names << QString::fromUtf16(signal->m_szName);
            }
            return names;
        };
        m_view->RebuildRows();
        m_view->SetFindText(text);
        QCOMPARE(Rows(*m_view), expected());
        CPrompts::PushDialogHandler([text](QDialog& d) {
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.NameEdit()->setText("Renamed " + text);
            editor.accept();
            return editor.result();
        });
        m_view->SetFindText(QString());
        m_view->EditRow(6);
        m_view->SetFindText(text);
        QCOMPARE(Rows(*m_view), expected());
        QVERIFY(Rows(*m_view).contains("Renamed " + text));
    }

    void doubleClickEditsRowOnly() {
        bool opened = false;
        CPrompts::PushDialogHandler([&opened](QDialog& d) {
            opened = true;
            auto& editor = static_cast<CSignalEditDialog&>(d);
            editor.NameEdit()->setText(QStringLiteral("Renamed"));
            editor.accept();
            return editor.result();
        });
        const QPoint empty(10, m_view->viewport()->height() - 3);
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, empty);
        QVERIFY(!opened);
        const QRect row = m_view->visualRect(m_view->RowModel()->index(2, 0));
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(opened);
        QVERIFY(m_doc->IsModified());
        // Re-sorted by the current sort state (Name ascending): the record moves to the end
        // and its row is the one selected.
        QCOMPARE(Rows(*m_view).last(), QStringLiteral("Renamed"));
        QCOMPARE(m_view->currentIndex().row(), 6);
        QCOMPARE(m_view->selectionModel()->selectedRows().size(), 1);
    }
};

QTEST_MAIN(TestVantorView)
#include "tst_vantorview.moc"
