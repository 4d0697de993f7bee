// The list in the window: find, counts, copy and paste, what travels with a record.
#include "Announcer.h"
#include "ChangeSignalsDialog.h"
#include "Csv.h"
#include "DetailsPane.h"
#include "EditorTest.h"
#include "ProblemsPane.h"
#include "TestFiles.h"
#include "Translations.h"

#include "ParameterBar.h"
#include "RandomSignals.h"
#include "SignalRowModel.h"
#include "VantorView.h"
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTreeView>

class TestListWindow : public CEditorTest {
    Q_OBJECT

private slots:
    // Typing in the find bar filters the rows together with the family filter; the panes
    // count them and show the text; Escape clears and closes the bar.
    void findBarFiltersAsYouType() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        const auto pane = [this](const char* name) {
            return Frame()->statusBar()->findChild<QLabel*>(name)->text();
        };
        QCOMPARE(pane("CountPane"), QStringLiteral("5 signals"));
        // What should be shown, worked out from the cells.
        const auto expected = [view](const QString& text, bool fskOnly) {
            QStringList names;
            for (const auto& signal : view->Document()->Signals()) {
                bool found = false;
                for (int column : {0, 1, 2, 12, 13})
                    found |= Cell(*signal, column).contains(text, Qt::CaseInsensitive);
                if (found && (!fskOnly || signal->m_nModulation == ModulationFsk))
                    names << QString::fromUtf16(signal->m_szName);
            }
            return names;
        };
        const auto shown = [view] {
            QStringList names;
            for (int row = 0; row < view->RowModel()->rowCount(); ++row)
                names << view->RowModel()->index(row, 0).data().toString();
            return names;
        };
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QLineEdit* edit = Frame()->FindBar()->Edit();
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, "FS");
        QCOMPARE(shown(), expected("FS", false));
        QVERIFY(shown().size() > 1 && shown().size() < 5);
        QCOMPARE(pane("CountPane"), QStringLiteral("%1 of 5 shown").arg(shown().size()));
        QCOMPARE(pane("FindPane"), QStringLiteral("Find: FS"));
        // The count is said to screen readers as it changes (a notification).
        QCOMPARE(Frame()->Announcer()->Said(), pane("CountPane"));
        QVERIFY(Frame()->Announcer()->isVisible());
        // Keys typed into the bar edit the text, not the signals.
        bool dialog = false;
        CPrompts::PushDialogHandler([&dialog](QDialog& d) {
            dialog = true;
            d.reject();
            return int(QDialog::Rejected);
        });
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_F})
            QTest::keyClick(edit, key);
        QCOMPARE(edit->text(), QStringLiteral("fS")); // Home, Del, Ins (nothing), f
        QVERIFY(!dialog);
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        QCOMPARE(Doc()->GetSignalCount(), 5);
        edit->setText("FS");
        CPrompts::Reset();
        Trigger(ID_FILTER_FSK);
        QCOMPARE(shown(), expected("FS", true));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!Frame()->FindBar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), view);
        QCOMPARE(shown(), expected("", true));
        QCOMPARE(pane("FindPane"), QString());
    }

    // Find by Parameters, by keyboard alone: the matching signals nearest first with their
    // deviation, counted; a wildcard after the measured matches; Escape gives the list back
    // in its sort.
    void findByParameters() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        const auto rows = [view] {
            QStringList shown;
            const QAbstractItemModel* model = view->model();
            for (int row = 0; row < model->rowCount(); ++row)
                shown << model->index(row, 0).data().toString() + ' ' +
                             model->index(row, MatchColumn).data().toString();
            return shown;
        };
        const QStringList all = rows();
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        CParameterBar* bar = Frame()->ParameterBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(QApplication::focusWidget(), bar->Field("baud"));
        QTest::keyClicks(bar->Field("baud"), "49");
        // DRM's symbol rate is "*": any rate, at the edge of the tolerance.
        QCOMPARE(rows(), (QStringList{"Baudot 50 2.0%", "DRM 5.0%"}));
        QCOMPARE(view->model()->headerData(MatchColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Match"));
        // The Match column stands beside the name, in sight.
        QCOMPARE(view->horizontalHeader()->visualIndex(MatchColumn), 1);
        QCOMPARE(Frame()->statusBar()->findChild<QLabel*>("CountPane")->text(),
                 QStringLiteral("2 of 5 shown"));
        // Only DRM has carriers (any count).
        QTest::keyClick(bar->Field("baud"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(bar->Field("baud"), Qt::Key_Delete);
        QTest::keyClicks(bar->Field("carriers"), "8");
        QCOMPARE(rows(), QStringList{"DRM 5.0%"});
        QTest::keyClick(bar->Field("carriers"), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QCOMPARE(view->model()->columnCount(), 14);
        QCOMPARE(view->horizontalHeader()->visualIndex(1), 1);
        QCOMPARE(rows(), all);
        QCOMPARE(QApplication::focusWidget(), view);
        // Esc in the list ends a find as in its bar.
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClicks(bar->Field("baud"), "49");
        QVERIFY(view->model()->rowCount() < all.size());
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QCOMPARE(rows(), all);
        QCOMPARE(QApplication::focusWidget(), view);
    }

    // Change Selected Signals sets one field on every selected signal in one undo step; a
    // signal whose family has no such field, or that the change leaves invalid, stays as it
    // was and is named; kept markup and the other fields stay as they were.
    void changeSelectedSignals_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("notice");
        QTest::newRow("baud rate") << "mixed.xml" << int(SignalChangeField::Baudrate) << "75"
                                   << "4 signals changed, 1 left unchanged:\nBeacon: its family "
                                      "has no such field";
        QTest::newRow("code-check count")
            << "mixed.xml" << int(SignalChangeField::Codecheck) << "0"
            << "0 signals changed, 5 left unchanged:\nBaudot 50: Codecheck count must be "
               "positive\nBeacon: Codecheck count must be positive\nDRM: a code-check count "
               "needs a decoder mode\nOlivia: Codecheck count must be positive\nSTANAG 4285: "
               "Codecheck count must be positive";
        QTest::newRow("comment on signals the edit dialog refuses")
            << "kept.xml" << int(SignalChangeField::Comment) << "checked"
            << "0 signals changed, 2 left unchanged:\nKept: Codecheck count must be "
               "positive\nPlain: Codecheck count must be positive";
        QTest::newRow("decoder, kept markup kept")
            << "kept.xml" << int(SignalChangeField::Decoder) << "0"
            << "2 signals changed, 0 left unchanged";
    }
    // Each field of Change Selected Signals takes as much as the edit dialog's: what is typed
    // beyond stops there.
    void changeSelectedFieldsAreLimited_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("ITU designator") << int(SignalChangeField::ITU) << 16 << 9;
        QTest::newRow("comment") << int(SignalChangeField::Comment) << 520 << 499;
        QTest::newRow("code-check count") << int(SignalChangeField::Codecheck) << 520 << 511;
        QTest::newRow("baud rate") << int(SignalChangeField::Baudrate) << 70 << 63;
    }
    void changeSelectedFieldsAreLimited() {
        QFETCH(int, field);
        QFETCH(int, typed);
        QFETCH(int, kept);
        CChangeSignalsDialog dialog(2, nullptr);
        dialog.FieldCombo()->setCurrentIndex(field);
        QTest::keyClicks(dialog.ValueEdit(), QString(typed, u'7'));
        QCOMPARE(dialog.ValueEdit()->text().size(), kept);
    }

    void changeSelectedSignals() {
        QFETCH(QString, file);
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, notice);
        Start({Copy(file)});
        CVantorView* view = Frame()->View();
        std::vector<CSignalDescription> before;
        std::vector<const CKeptMarkup*> kept;
        for (const auto& signal : Doc()->Signals()) {
            before.push_back(*signal);
            kept.push_back(signal->m_pKept.get());
        }
        view->OnEditSelectAll();
        CPrompts::PushDialogHandler([&](QDialog& d) {
            auto& dialog = static_cast<CChangeSignalsDialog&>(d);
            dialog.FieldCombo()->setCurrentIndex(field);
            dialog.ValueEdit()->setText(value);
            dialog.DecoderCombo()->setCurrentIndex(value.toInt());
            dialog.accept();
            return d.result();
        });
        Trigger(ID_SIGNAL_CHANGE_SELECTED);
        QCOMPARE(Frame()->MessageBar()->Messages().join('|'), notice);
        for (std::size_t i = 0; i < before.size(); ++i) {
            const CSignalDescription& now = *Doc()->GetSignal(int(i));
            QCOMPARE(now.m_pKept.get(), kept[i]);
            // A changed record passed the check; one left as it was keeps its validity.
            QCOMPARE(now.IsInvalid(), SameStoredValues(now, before[i]) && before[i].IsInvalid());
        }
        Trigger(ID_EDIT_UNDO);
        for (std::size_t i = 0; i < before.size(); ++i) {
            QVERIFY(SameStoredValues(*Doc()->GetSignal(int(i)), before[i]));
            QCOMPARE(Doc()->GetSignal(int(i))->IsInvalid(), before[i].IsInvalid());
        }
    }

    // File > Import appends a spreadsheet's rows in one undo step and lists, in a window the
    // text can be copied from, the rows and columns it left out.
    void importRows() {
        Start({Copy("mixed.xml")});
        const QString csv = QStringLiteral(QUARN_TEST_DATA "/import/rows.csv");
        CPrompts::PushFileName(csv);
        QString report;
        CPrompts::PushDialogHandler([&report](QDialog& d) {
            report = d.findChild<QPlainTextEdit*>()->toPlainText();
            return int(QDialog::Rejected);
        });
        Trigger(ID_FILE_IMPORT);
        QCOMPARE(Doc()->GetSignalCount(), 5 + 3);
        QCOMPARE(report, csv + ":1: unknown column \"Colour\" left out\n" + csv +
                             ":3: Baud / Symbol Rate: fast is not a number\n" + csv +
                             ":4: No baud rate specified");
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(Doc()->GetSignalCount(), 5);
    }

    // File > Import says how it read a file that is not UTF-8 with commas.
    void importSaysHowItRead() {
        Start({Copy("mixed.xml")});
        const QString csv = QStringLiteral(QUARN_TEST_DATA "/import/de-cp1252-cr.csv");
        CPrompts::PushFileName(csv);
        Trigger(ID_FILE_IMPORT);
        QCOMPARE(Doc()->GetSignalCount(), 5 + 2);
        QCOMPARE(Frame()->statusBar()->currentMessage(),
                 "2 signals imported from " + csv +
                     " (read as Windows-1252, separated by semicolons, with decimal commas)");
        QVERIFY(std::any_of(Doc()->Signals().begin(), Doc()->Signals().end(),
                            [](const auto& s) { return s->m_szName.View() == u"Wetter Café"; }));
    }

    // The nearest-first order of a find by parameters lives in the rows: the collection keeps
    // the list's sort, so that a save writes it; Escape gives the rows back and touches
    // neither the order nor the history; the selection stays on its signal.
    void findByParametersKeepsTheSavedOrder() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->SortBy(ColumnName, true); // Z to A: STANAG 4285, Olivia, DRM, Beacon, Baudot 50
        const int steps = Doc()->History()->count();
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClicks(Frame()->ParameterBar()->Field("baud"), "49");
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("Baudot 50"));
        QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("DRM"));
        QVERIFY(!view->horizontalHeader()->isSortIndicatorShown());
        view->selectRow(1);
        QVERIFY(m_app->Template()->FileSave());
        // The file's order (opening it would sort it by name again).
        QStringList order;
        static const QRegularExpression name(QStringLiteral("<Signal Name=\"([^\"]*)\""));
        for (const QRegularExpressionMatch& m :
             name.globalMatch(QString::fromUtf8(FileBytes(Doc()->GetPathName()))))
            order << m.captured(1);
        QCOMPARE(order, (QStringList{"STANAG 4285", "Olivia", "DRM", "Beacon", "Baudot 50"}));
        QTest::keyClick(Frame()->ParameterBar()->Field("baud"), Qt::Key_Escape);
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("STANAG 4285"));
        QVERIFY(view->horizontalHeader()->isSortIndicatorShown());
        QCOMPARE(Doc()->History()->count(), steps);
        QVERIFY(!Doc()->IsModified());
        QCOMPARE(view->currentIndex().siblingAtColumn(0).data().toString(), QStringLiteral("DRM"));
    }

    // Export under a German interface writes German headings; Import reads them under any
    // interface, every column known, and says so in the count.
    void importReadsTranslatedHeadings() {
        Start({Copy("mixed.xml")});
        const QString path = m_dir.filePath("de.csv");
        {
            InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany));
            auto english = qScopeGuard([] { InstallTranslations(*qApp, QLocale::c()); });
            CPrompts::PushFileName(path);
            Trigger(ID_FILE_EXPORT);
        }
        QVERIFY(FileBytes(path).startsWith("Name,Decoder,Modulation,Unterträger,"));
        CsvImport imported;
        QString why;
        int line = 0;
        QVERIFY2(ImportCsv(FileBytes(path), imported, why, line), qPrintable(why));
        QCOMPARE(imported.unknownColumns, QStringList());
        QCOMPARE(int(imported.records.size() + imported.refused.size()), Doc()->GetSignalCount());
    }

    // File > Compare With in the window: the count pane counts each kind, F8 and Shift+F8
    // pressed in the list go to differences, Esc ends the comparison.
    void compareInTheWindow() {
        const QString data = QStringLiteral(QUARN_TEST_DATA "/diff/");
        const QString mine = m_dir.filePath("old.xml");
        QVERIFY(QFile::copy(data + "old.xml", mine));
        Start({mine});
        CVantorView* view = Frame()->View();
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        view->setFocus();
        CPrompts::PushFileName(data + "new.xml");
        Trigger(ID_FILE_COMPARE);
        const auto pane = [this] {
            return Frame()->statusBar()->findChild<QLabel*>("CountPane")->text();
        };
        QCOMPARE(pane(), QStringLiteral("5 signals \u00B7 1 added, 1 removed, 2 changed"));
        const auto comparedNotice = [this] {
            return Frame()->MessageBar()->Messages().filter("Compared with").size();
        };
        QCOMPARE(comparedNotice(), 1);
        view->setCurrentIndex(view->model()->index(1, 0)); // Bravo, the same in both
        QTest::keyClick(view, Qt::Key_F8);
        QVERIFY(view->RowModel()->IsDifferent(view->currentIndex().row()));
        const int next = view->currentIndex().row();
        QTest::keyClick(view, Qt::Key_F8, Qt::ShiftModifier);
        QVERIFY(view->currentIndex().row() < 1);
        QTest::keyClick(view, Qt::Key_F8);
        QCOMPARE(view->currentIndex().row(), next);
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(view->Comparison() == nullptr);
        QCOMPARE(pane(), QStringLiteral("5 signals"));
        // Its notice went with it.
        QCOMPARE(comparedNotice(), 0);
    }

    // Copy puts the signals on the clipboard as XML and as cells; Close and Paste give the
    // same records back, and so does text copied out of a database file.
    // What the file held that this version does not understand stays with its record through
    // OK in the editor, copy and paste, delete and undo, and is saved with it.
    void keptMarkupTravelsWithTheRecord() {
        const QString path = Copy("kept.xml");
        Start({path});
        CVantorView* view = Frame()->View();
        const std::string children = Doc()->GetSignal(0)->m_pKept->children;
        view->selectRow(0);
        CPrompts::PushDialogHandler([](QDialog& d) {
            d.accept();
            return d.result();
        });
        Trigger(ID_SIGNAL_EDIT);
        QVERIFY(Doc()->GetSignal(0)->m_pKept);
        Trigger(ID_EDIT_COPY);
        Trigger(ID_EDIT_PASTE);
        QCOMPARE(Doc()->GetSignalCount(), 3);
        int kept = 0;
        for (const auto& signal : Doc()->Signals())
            kept += signal->m_pKept && signal->m_pKept->children == children;
        QCOMPARE(kept, 2);
        view->selectRow(0);
        CPrompts::PushAnswer(QMessageBox::Yes);
        Trigger(ID_SIGNAL_DELETE);
        Trigger(ID_EDIT_UNDO);
        kept = 0;
        for (const auto& signal : Doc()->Signals())
            kept += signal->m_pKept && signal->m_pKept->children == children;
        QCOMPARE(kept, 2);
        QVERIFY(m_app->Template()->FileSave());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("<Owner>Alice</Owner>"), 2);
    }

    // An invalid row says why in its tooltip wherever the record goes: pasted, deleted and
    // brought back by Undo.
    void invalidReasonFollowsTheRecord() {
        CVantorView* view = StartFocused();
        CSignalRowModel* model = view->RowModel();
        int row = 0;
        while (row < model->rowCount() && !model->SignalAt(row)->IsInvalid())
            ++row;
        QVERIFY(row < model->rowCount());
        const QString reason = model->index(row, 0).data(Qt::ToolTipRole).toString();
        QVERIFY(!reason.isEmpty());
        const QString name = model->index(row, 0).data().toString();
        const auto reasons = [&] {
            QStringList found;
            for (int r = 0; r < model->rowCount(); ++r) {
                if (model->index(r, 0).data().toString() == name)
                    found << model->index(r, 0).data(Qt::ToolTipRole).toString();
            }
            return found;
        };
        view->selectRow(row);
        Trigger(ID_EDIT_COPY);
        Trigger(ID_EDIT_PASTE);
        QCOMPARE(reasons(), (QStringList{reason, reason}));
        view->selectRow(row);
        CPrompts::PushAnswer(QMessageBox::Yes);
        Trigger(ID_SIGNAL_DELETE);
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(reasons(), (QStringList{reason, reason}));
    }

    void copyAndPasteSignals() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->selectRow(1);
        view->selectionModel()->select(view->RowModel()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        std::vector<CSignalDescription> originals{*view->RowModel()->SignalAt(1),
                                                  *view->RowModel()->SignalAt(3)};
        QTest::keyClick(view, Qt::Key_Insert, Qt::ControlModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(SignalsMimeType()));
        const QStringList lines = QString::fromUtf8(data->data("text/tab-separated-values"))
                                      .split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split('\t').size(), 14);
        const QString xml = data->text();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier); // Close
        QCOMPARE(Doc()->GetSignalCount(), 0);
        QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(Doc()->GetSignalCount(), 2);
        QCOMPARE(Frame()->statusBar()->currentMessage(), QStringLiteral("2 signals pasted"));
        QCOMPARE(view->selectionModel()->selectedRows().size(), 2);
        // Only the Signal elements, as selected in a text editor.
        const qsizetype from = xml.indexOf("<Signal ");
        const qsizetype to = xml.lastIndexOf("</Signal>") + 9;
        QGuiApplication::clipboard()->setText(xml.mid(from, to - from));
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Doc()->GetSignalCount(), 4);
        for (const CSignalDescription& original : originals) {
            int same = 0;
            for (const auto& pasted : Doc()->Signals())
                same += pasted->IsEqual(original) &&
                        Q(pasted->m_szComment) == Q(original.m_szComment) &&
                        pasted->m_bDisabled == original.m_bDisabled;
            QCOMPARE(same, 2);
        }
        QVERIFY(CPrompts::ShownMessages().isEmpty());
    }

    // View > Details by keyboard alone: F4 shows the current signal's fields and goes into
    // them, Enter applies them as the edit dialog's OK checks them (one step of the history,
    // the row moving to its place), Esc reverts and goes back to the list, F6 goes between
    // them; the pane follows its signal through an undo and says when a delete took it.
    // View > Problems by keyboard: the report's problems by kind, Enter goes to the signal,
    // Delete Later deletes the later duplicate through the list's Delete (which asks), and the
    // list is made again after the change.
    void problemsByKeyboard() {
        Start({Copy("report/health.xml", "health.xml")});
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        CVantorView* view = Frame()->View();
        const int signalCount = int(Doc()->Signals().size());
        Trigger(ID_VIEW_PROBLEMS);
        CProblemsPane* pane = Frame()->Problems();
        QVERIFY(Frame()->ProblemsDock()->isVisible());
        QTreeView* tree = pane->Tree();
        QCOMPARE(QApplication::focusWidget(), tree);
        QAbstractItemModel* problems = tree->model();
        QStringList kinds;
        for (int i = 0; i < problems->rowCount(); ++i)
            kinds << problems->index(i, 0).data().toString();
        QCOMPARE(kinds, (QStringList{"Duplicates (1)", "Same name, other values (1)",
                                     "Cannot be told apart (2)", "ITU designators (2)",
                                     "Invalid (1)", "Unknown names (1)"}));
        // The duplicate: Enter makes it the list's current row.
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(tree->currentIndex().data().toString(), QString("Baudot"));
        QTest::keyClick(tree, Qt::Key_Return);
        const auto selected = view->SelectedSignals();
        QCOMPARE(selected.size(), std::size_t(1));
        QCOMPARE(selected[0], pane->Problems()[0].signal);
        const auto button = [pane](const QString& text) {
            for (QPushButton* b : pane->findChildren<QPushButton*>()) {
                if (b->text() == text)
                    return b;
            }
            return static_cast<QPushButton*>(nullptr);
        };
        button("Select &Both")->click();
        QCOMPARE(view->SelectedSignals().size(), std::size_t(2));
        CPrompts::PushAnswer(QMessageBox::Yes);
        button("&Delete Later")->click();
        QCOMPARE(int(Doc()->Signals().size()), signalCount - 1);
        QTRY_VERIFY(problems->rowCount() > 0);
        QCOMPARE(problems->index(0, 0).data().toString(), QString("Same name, other values (1)"));
        Trigger(ID_VIEW_PROBLEMS);
        QVERIFY(!Frame()->ProblemsDock()->isVisible());
        QCOMPARE(QApplication::focusWidget(), view);
        // An import of what is held already says what it brought in twice, with a way to
        // the list.
        const QString csv = m_dir.filePath("again.csv");
        QVERIFY(WriteBytes(csv, "Name,Decoder,Modulation,Subcarrier,Baud / Symbol Rate,Shift,"
                                "Bandwidth,No. of Tones,No. of Carriers,Spacing,Pilot Frequency,"
                                "Codecheck Counter\r\nSITOR 51,sitor-arq,FSK,,51,172,*,2,,,,3\r\n"
                                "Baudot,baudot,FSK,,75,170,,2,,,,3\r\n"));
        CPrompts::PushFileName(csv);
        Trigger(ID_FILE_IMPORT);
        QCOMPARE(Frame()->MessageBar()->Messages().last(),
                 QString("The import brought in 1 duplicate and 1 signal with the name of "
                         "another: Show Problems lists them"));
        QPushButton* show = BarButton(Frame()->MessageBar(), "Show &Problems");
        QVERIFY(show);
        show->click();
        QVERIFY(Frame()->ProblemsDock()->isVisible());
        QCOMPARE(QApplication::focusWidget(), tree);
    }

    void detailsPaneByKeyboard() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        QTest::keyClick(view, Qt::Key_Home);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->currentIndex().data().toString(), QString("Beacon"));
        QTest::keyClick(view, Qt::Key_F4);
        CDetailsPane* pane = Frame()->Details();
        QVERIFY(Frame()->DetailsDock()->isVisible());
        QVERIFY(Action(ID_VIEW_DETAILS)->isChecked());
        QVERIFY(pane->Form());
        QLineEdit* name = pane->Form()->NameEdit();
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->text(), QString("Beacon"));
        QCOMPARE(pane->Form()->accessibleName(), QString("Details of Beacon"));
        QCOMPARE(
            pane->Form()->findChild<QPushButton*>(QString(), Qt::FindChildrenRecursively)->window(),
            Frame());
        // A name the dialog refuses is refused here, with its message; nothing changes.
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(name, Qt::Key_Delete);
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages()[0].text, QString("You have to specify a name"));
        QCOMPARE(Doc()->History()->count(), 0);
        QVERIFY(pane->HasChanges());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), view);
        QCOMPARE(pane->Form()->NameEdit()->text(), QString("Beacon"));
        QVERIFY(!pane->HasChanges());
        // Enter applies: one step; the signal takes its place under the name sort and stays
        // the current row, the pane on it with the focus where it was.
        QTest::keyClick(view, Qt::Key_F6);
        name = pane->Form()->NameEdit();
        QCOMPARE(QApplication::focusWidget(), name);
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, "Alpha");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(Doc()->History()->count(), 1);
        QCOMPARE(Doc()->History()->undoText(), QString("Edit Signal"));
        QCOMPARE(view->currentIndex().row(), 0);
        QCOMPARE(view->currentIndex().data().toString(), QString("Alpha"));
        QCOMPARE(pane->Signal(), view->RowModel()->RecordAt(0));
        QCOMPARE(pane->Form()->NameEdit()->text(), QString("Alpha"));
        QCOMPARE(QApplication::focusWidget(), pane->Form()->NameEdit());
        // Enter again with nothing changed makes no step.
        QTest::keyClick(pane->Form()->NameEdit(), Qt::Key_Return);
        QCOMPARE(Doc()->History()->count(), 1);
        // Undo in the list: the pane shows the name back.
        QTest::keyClick(pane->Form()->NameEdit(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(pane->Form()->NameEdit()->text(), QString("Beacon"));
        QCOMPARE(view->currentIndex().data().toString(), QString("Beacon"));
        // Delete: the pane says its signal is gone.
        CPrompts::PushAnswer(QMessageBox::Yes);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(Doc()->GetSignalCount(), 4);
        QVERIFY(!pane->Form());
        QCOMPARE(pane->StateLabel()->text(), QString("Beacon is no longer in the database"));
        // F4 hides the pane; the list keeps the focus.
        QTest::keyClick(view, Qt::Key_F4);
        QVERIFY(!Frame()->DetailsDock()->isVisible());
        QVERIFY(!Action(ID_VIEW_DETAILS)->isChecked());
        QCOMPARE(QApplication::focusWidget(), view);
    }

    // The count pane follows every change of the rows and of the find text; opening another
    // database closes the find bar, whose text would hide its rows.
    void countPaneFollowsTheRows() {
        Start({Copy("mixed.xml")});
        const QLabel* pane = Frame()->findChild<QLabel*>("CountPane");
        const auto signalsNow = [this] {
            return QString("%1 signals").arg(Doc()->GetSignalCount());
        };
        // The first row selected whatever modifier keys an earlier test left pressed.
        const auto act = [this](std::uint32_t id) {
            CVantorView* view = Frame()->View();
            view->selectionModel()->setCurrentIndex(view->RowModel()->index(0, 0),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
            Trigger(id);
        };
        QCOMPARE(pane->text(), QString("5 signals"));
        CPrompts::PushAnswer(QMessageBox::Yes);
        act(ID_SIGNAL_DELETE);
        QCOMPARE(pane->text(), QString("4 signals"));
        act(ID_EDIT_UNDO);
        QCOMPARE(pane->text(), QString("5 signals"));
        act(ID_EDIT_REDO);
        QCOMPARE(pane->text(), QString("4 signals"));
        act(ID_EDIT_CUT);
        QCOMPARE(pane->text(), QString("3 signals"));
        act(ID_EDIT_PASTE);
        QCOMPARE(pane->text(), QString("4 signals"));
        CPrompts::PushFileName(Copy("other.xml"));
        ApplyMergeReview();
        Trigger(ID_FILE_MERGE);
        QVERIFY(Doc()->GetSignalCount() > 4);
        QCOMPARE(pane->text(), signalsNow());
        Trigger(ID_EDIT_FIND);
        Frame()->findChild<CFindBar*>()->Edit()->setText("no such text anywhere");
        QCOMPARE(pane->text(), QString("0 of %1 shown").arg(Doc()->GetSignalCount()));
        CPrompts::PushAnswer(QMessageBox::No);
        CPrompts::PushFileName(Copy("other.xml"));
        Trigger(ID_FILE_OPEN);
        QVERIFY(!Frame()->findChild<CFindBar*>()->isVisibleTo(Frame()));
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), Doc()->GetSignalCount());
        QCOMPARE(pane->text(), signalsNow());
        CPrompts::PushAnswer(QMessageBox::No);
        Trigger(ID_FILE_NEW);
        QCOMPARE(pane->text(), QString("0 signals"));
    }
};

int main(int argc, char** argv) {
    return RunEditorTest<TestListWindow>(argc, argv);
}

#include "tst_listwindow.moc"
