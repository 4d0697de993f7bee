// Files: open, save, merge, export, recent files, the save question, files changed by others.
#include "EditorTest.h"
#include "MergeReviewDialog.h"
#include "ProblemsPane.h"
#include "TestDocument.h"
#include "TestFiles.h"

#include <QStandardPaths>
#include <QTreeView>

class TestFiles : public CEditorTest {
    Q_OBJECT

private slots:
    void saveQuestion_data() {
        QTest::addColumn<uint>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        for (uint command : {uint(ID_FILE_NEW), uint(ID_FILE_CLOSE_DATABASE), uint(ID_FILE_OPEN)}) {
            QTest::addRow("%u cancel", command) << command << int(QMessageBox::Cancel) << false;
            QTest::addRow("%u no", command) << command << int(QMessageBox::No) << true;
            QTest::addRow("%u yes", command) << command << int(QMessageBox::Yes) << true;
        }
    }
    void saveQuestion() {
        QFETCH(uint, command);
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        const QString path = Copy("mixed.xml");
        Start({path});
        Frame()->View()->selectRow(0);
        Trigger(ID_SIGNAL_DISABLE);
        QVERIFY(Doc()->IsModified());
        CPrompts::PushAnswer(static_cast<QMessageBox::StandardButton>(answer));
        if (command == ID_FILE_OPEN)
            CPrompts::PushFileName(Copy("other.xml"));
        Trigger(command);
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages()[0].text, "Save changes to " + path + "?");
        QCOMPARE(CPrompts::ShownMessages()[0].caption, QStringLiteral("Quarn Editor"));
        QCOMPARE(Doc()->GetSignalCount() != 5, replaced);
        QCOMPARE(Doc()->IsModified(), !replaced);
        // Yes saved the change before the database was replaced.
        CVantorDoc saved;
        QVERIFY(saved.OnOpenDocument(path));
        int disabled = 0;
        for (const auto& s : saved.Signals())
            disabled += s->m_bDisabled;
        QCOMPARE(disabled, answer == QMessageBox::Yes ? 2 : 1);
    }

    // The modified mark follows the history: undoing back to the saved state clears it, and
    // then New asks nothing.
    void historyDecidesTheSaveQuestion() {
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->selectRow(0);
        Trigger(ID_SIGNAL_DISABLE);
        QVERIFY(Doc()->IsModified());
        QVERIFY(Frame()->isWindowModified());
        QCOMPARE(Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Disable Signal\tCtrl+Z"));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!Doc()->IsModified());
        QVERIFY(!Frame()->isWindowModified());
        QCOMPARE(Action(ID_EDIT_REDO)->text(), QStringLiteral("&Redo Disable Signal\tCtrl+Y"));
        Trigger(ID_FILE_NEW);
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        QVERIFY(!view->UndoStack()->canRedo()); // New clears the history
    }

    // A change of the open file by another program is told at once, with Reload (which asks
    // before losing unsaved changes) and Ignore; the editor's own save is not told.
    void fileChangedUnderTheEditor() {
        const QString path = Copy("mixed.xml");
        Start({path});
        CMessageBar* bar = Frame()->MessageBar();
        bar->Dismiss();
        MarkModified(*Doc());
        Trigger(ID_FILE_SAVE);
        QTest::qWait(300);
        QVERIFY2(bar->Messages().isEmpty(), qPrintable(bar->Messages().join('|')));
        // Another program writes the file three times: one notice, one pair of buttons.
        for (int write = 0; write < 3; ++write) {
            QSaveFile other(path);
            QVERIFY(other.open(QIODevice::WriteOnly));
            other.write("<r><!--c--><Signal Name='Only' Modulation='CW'/></r>");
            QVERIFY(other.commit());
            QTRY_COMPARE(bar->Messages().size(), 1);
            QTest::qWait(100);
        }
        QVERIFY(bar->Messages()[0].contains("changed, replaced or deleted by another program"));
        QCOMPARE(bar->findChildren<QPushButton*>().size(), 2);
        QPushButton* reload = BarButton(bar, "&Reload");
        QVERIFY(reload);
        QCOMPARE(reload->shortcut(), QKeySequence("Alt+R"));
        MarkModified(*Doc());
        CPrompts::PushAnswer(QMessageBox::No); // keep the unsaved changes
        reload->click();
        QCOMPARE(Doc()->GetSignalCount(), 5);
        QTRY_VERIFY(bar->Messages().isEmpty());
        QSaveFile again(path);
        QVERIFY(again.open(QIODevice::WriteOnly));
        again.write("<r><!--c--><Signal Name='Only' Modulation='CW'/></r>");
        QVERIFY(again.commit());
        QTRY_VERIFY(BarButton(bar, "&Reload"));
        CPrompts::PushAnswer(QMessageBox::Yes);
        BarButton(bar, "&Reload")->click();
        QCOMPARE(Names(*Doc()), QStringList{"Only"});
        QVERIFY(!Doc()->IsModified());
        // What the reloaded file holds that a save drops stays said.
        QTest::qWait(100);
        QVERIFY2(bar->Messages().join('|').contains("1 comment outside signals"),
                 qPrintable(bar->Messages().join('|')));
    }

    // Export writes the rows shown, in view order, as RFC 4180 CSV with the headings.
    void exportWritesTheRowsShown() {
        Start({Copy("mixed.xml")});
        CSignalDescription* first = nullptr;
        for (const auto& signal : Doc()->Signals()) {
            if (!first && signal->m_nModulation == ModulationFsk)
                first = signal.get();
        }
        QVERIFY(first);
        CopyText(first->m_szComment, u"=a, \"b\"\nc");
        Trigger(ID_FILTER_FSK);
        const QString path = m_dir.filePath("rows.csv");
        CPrompts::PushFileName(path);
        Trigger(ID_FILE_EXPORT);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        CSignalRowModel* model = Frame()->View()->RowModel();
        QVERIFY(csv.startsWith("Name,Decoder,Modulation,Subcarrier,Baud / Symbol Rate,"));
        QVERIFY(model->rowCount() > 0 && model->rowCount() < Doc()->GetSignalCount());
        QCOMPARE(csv.count("\r\n"), model->rowCount() + 1);
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY(csv.contains(model->index(row, 0).data().toString().toUtf8() + ','));
        // A cell that a spreadsheet would run as a formula is kept as text.
        QVERIFY(csv.contains(",\"'=a, \"\"b\"\"\nc\",,,"));
        // A named pipe is not replaced by a file: Export is refused with the reason.
        const QString pipe = m_dir.filePath("pipe.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        CPrompts::PushFileName(pipe);
        Trigger(ID_FILE_EXPORT);
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 "Cannot export.\n\n" + pipe + " is not a regular file");
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(pipe).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }

    // A database built from nothing in the editor, saved and opened again.
    void buildSaveReopen() {
        Start();
        using Fill = std::function<void(CSignalEditDialog&)>;
        const auto add = [this](const Fill& fill) {
            CPrompts::PushDialogHandler([fill](QDialog& d) {
                auto& editor = static_cast<CSignalEditDialog&>(d);
                fill(editor);
                editor.accept();
                return editor.result();
            });
            Trigger(ID_SIGNAL_NEW);
        };
        const auto set = [](CSignalEditDialog& e, int family, int id, const char* text) {
            e.Page(family).SetText(id, QString::fromLatin1(text));
        };
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Fax 4-level");
            e.FamilyButton(ModulationFsk)->click();
            e.ModulationCombo()->setCurrentIndex(1);
            e.DecoderCombo()->setCurrentIndex(27);
            e.CodecheckEdit()->setText("3");
            e.DisabledCheck()->setChecked(true);
            e.ITUEdit()->setText("170HF1B");
            e.CommentEdit()->setPlainText("two\nlines & <more>");
            set(e, ModulationFsk, IDC_BAUDRATE, "50");
            set(e, ModulationFsk, IDC_SHIFT, "170");
            set(e, ModulationFsk, IDC_BANDWIDTH, "*");
            set(e, ModulationFsk, IDC_NUM_CHANNELS, "4");
            set(e, ModulationFsk, IDC_NUM_CHANNELS_MIN, "2");
            set(e, ModulationFsk, IDC_PILOT_FREQUENCY, "1800");
            CPrompts::PushDialogHandler([](QDialog& d) {
                auto& multi = static_cast<CMulticarrierDialog&>(d);
                multi.MultipleButton()->click();
                const char* cells[] = {"170", "340", "170"};
                for (int i = 0; i < 3; ++i)
                    multi.List()->item(i, 1)->setText(cells[i]);
                multi.accept();
                return multi.result();
            });
            e.OnEditSpacing();
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Olivia");
            e.FamilyButton(ModulationMfsk)->click();
            QLineEdit* baud = e.Page(ModulationMfsk).Edit(IDC_BAUDRATE);
            baud->clear();
            QTest::keyClicks(baud, "45");
            set(e, ModulationMfsk, IDC_SPACING, "31.25");
            set(e, ModulationMfsk, IDC_NUM_TONES, "*");
            set(e, ModulationMfsk, IDC_NUM_TONES_MIN, "8");
            set(e, ModulationMfsk, IDC_BANDWIDTH, "500");
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Codan");
            e.FamilyButton(ModulationPsk)->click();
            e.ModulationCombo()->setCurrentIndex(2);
            set(e, ModulationPsk, IDC_SYMBOL_RATE, "2400");
            set(e, ModulationPsk, IDC_BANDWIDTH, "3000");
            set(e, ModulationPsk, IDC_NUM_CHANNELS, "16");
            set(e, ModulationPsk, IDC_PILOT_FREQUENCY, "1800");
            CPrompts::PushDialogHandler([](QDialog& d) {
                auto& multi = static_cast<CMulticarrierDialog&>(d);
                multi.CommonEdit()->setText("56.25");
                multi.accept();
                return multi.result();
            });
            e.OnEditSpacing();
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("DRM");
            e.FamilyButton(ModulationOfdm)->click();
            e.Page(ModulationOfdm).SubcarrierCombo()->setCurrentIndex(7);
            set(e, ModulationOfdm, IDC_SYMBOL_RATE, "44.44");
            set(e, ModulationOfdm, IDC_NUM_CHANNELS, "39");
            set(e, ModulationOfdm, IDC_NUM_CHANNELS_MIN, "30");
            set(e, ModulationOfdm, IDC_BANDWIDTH, "*");
            set(e, ModulationOfdm, IDC_SPACING, "56.25");
        });
        add([&](CSignalEditDialog& e) {
            e.NameEdit()->setText("Beacon");
            e.FamilyButton(ModulationCw)->click();
        });
        QCOMPARE(Doc()->GetSignalCount(), 5);
        QVERIFY(CPrompts::ShownMessages().isEmpty()); // every OK passed validation

        const QString path = m_dir.filePath("built.xml");
        CPrompts::PushFileName(path);
        Trigger(ID_FILE_SAVE_AS);
        QVERIFY(!Doc()->IsModified());
        CPrompts::PushFileName(path);
        Trigger(ID_FILE_OPEN);
        // Both file dialogs also offer every file, for databases named otherwise.
        QCOMPARE(CPrompts::FileFilters(),
                 QStringList(2, "Signal Databases (*.xml);;All Files (*)"));
        QStringList names;
        for (const auto& signal : Doc()->Signals())
            names << QString::fromUtf16(signal->m_szName);
        QCOMPARE(names, (QStringList{"Beacon", "Codan", "DRM", "Fax 4-level", "Olivia"}));

        const CSignalDescription& fsk = *Doc()->GetSignal(3);
        QCOMPARE(fsk.m_nModulation, int(ModulationFsk));
        QCOMPARE(fsk.m_nSubmode, 1);
        QCOMPARE(fsk.m_nMode, 27);
        QCOMPARE(fsk.m_nCodecheckCounter, 3);
        QVERIFY(fsk.m_bDisabled && !fsk.IsInvalid());
        QCOMPARE(QString::fromUtf16(fsk.m_szComment), QStringLiteral("two\nlines & <more>"));
        QCOMPARE(QString::fromUtf16(fsk.m_szSpacing), QStringLiteral("170,340,170"));
        QCOMPARE(fsk.m_dBandwidth, -1.0); // the wildcard: not written, made -1 again by reading
        QCOMPARE(fsk.m_nNumChannels, 4);
        QCOMPARE(fsk.m_nNumChannelsMin, 2);
        QCOMPARE(fsk.m_dPilotFrequency, 1800.0);

        // MFSK: 45 Bd typed; any number of tones comes back as typed.
        const CSignalDescription& mfsk = *Doc()->GetSignal(4);
        QCOMPARE(mfsk.m_dBaudrate, 45.0);
        QCOMPARE(mfsk.m_dShift, 31.25);
        QCOMPARE(mfsk.m_nNumTones, -1);
        QVERIFY(!mfsk.IsInvalid());
        QCOMPARE(mfsk.m_nNumTonesMin, 8);

        const CSignalDescription& psk = *Doc()->GetSignal(1);
        QCOMPARE(psk.m_nSubmode, 2);
        QCOMPARE(QString::fromUtf16(psk.m_szSpacing), QStringLiteral("56.25"));
        QCOMPARE(psk.m_nNumChannels, 16);
        QCOMPARE(psk.m_dPilotFrequency, 1800.0);
        QVERIFY(!psk.IsInvalid());

        const CSignalDescription& ofdm = *Doc()->GetSignal(2);
        QCOMPARE(ofdm.m_nSubmode, 7);
        QCOMPARE(ofdm.m_dBaudrate, 44.44);
        QCOMPARE(ofdm.m_dBandwidth, -1.0); // the wildcard is written and read back
        QCOMPARE(ofdm.m_nNumChannelsMin, 30);
        QVERIFY(!ofdm.IsInvalid());

        const CSignalDescription& cw = *Doc()->GetSignal(0);
        QCOMPARE(cw.m_nModulation, int(ModulationCw));
        QVERIFY(!cw.IsInvalid());
    }

    void cancelledOpenDialogAsksNothing() {
        Start({Copy("mixed.xml")});
        MarkModified(*Doc());
        Trigger(ID_FILE_OPEN); // no file chosen
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        QVERIFY(Doc()->IsModified());
        QCOMPARE(Doc()->GetSignalCount(), 5);
    }

    void exitAsksAndCleansWorkspace() {
        Start({Copy("mixed.xml")});
        Trigger(215);
        QCOMPARE(Frame()->CurrentLook(), 215);
        QCOMPARE(ReadSetting(Settings::ApplicationLook), 215);
        QVERIFY(Action(215)->isChecked());
        QVERIFY(!Action(219)->isChecked());
        MarkModified(*Doc());
        CPrompts::PushAnswer(QMessageBox::Cancel);
        Trigger(ID_APP_EXIT);
        QVERIFY(Frame()->isVisible());
        CPrompts::PushAnswer(QMessageBox::No);
        Trigger(ID_APP_EXIT);
        QVERIFY(!Frame()->isVisible());
        m_app->ExitInstance();
        QVERIFY(!HasWorkspace());
        QCOMPARE(LoadRecentFiles().size(), 1);
        m_app.reset();
        Start();
        QCOMPARE(Frame()->CurrentLook(), 215); // remembered outside the workspace
        Trigger(ID_LOOK_DESKTOP);
        QCOMPARE(Frame()->CurrentLook(), int(ID_LOOK_DESKTOP));
    }

    void recentFiles() {
        const QString a = Copy("mixed.xml");
        const QString b = Copy("other.xml");
        Start({a});
        CPrompts::PushFileName(b);
        Trigger(ID_FILE_OPEN);
        QCOMPARE(m_app->RecentFiles(), (QStringList{b, a}));
        QCOMPARE(Action(ID_FILE_MRU_FILE1 + 1)->text(), "&2 " + a);
        QVERIFY(Action(ID_FILE_MRU_FILE1 + 1)->isVisible());
        QVERIFY(!Action(ID_FILE_MRU_FILE1 + 2)->isVisible());
        QFile::remove(a);
        Trigger(ID_FILE_MRU_FILE1 + 1);
        QCOMPARE(m_app->RecentFiles(), QStringList{b});
        QCOMPARE(CPrompts::ShownMessages().size(), 1); // the reason was shown
        QCOMPARE(Title(), QStringLiteral("other.xml - Quarn Editor"));
        // Clear Recent List empties the list, here and in the settings.
        QAction* clear = m_app->ClearRecentFilesAction();
        QVERIFY(clear->isVisible() && Frame()->FileMenu()->actions().contains(clear));
        clear->trigger();
        QVERIFY(m_app->RecentFiles().isEmpty() && LoadRecentFiles().isEmpty());
        QVERIFY(!clear->isVisible());
        QCOMPARE(Action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("Recent File"));
    }

    // A name that is not UTF-8 opens from the command line, saves, and stays in the recent
    // files as its bytes.
    void recentNameThatIsNotUtf8() {
        const QByteArray native = QFile::encodeName(m_dir.path()) + "/caf\xe9.xml";
        QVERIFY(QFile::copy(DataFile("mixed.xml"), m_dir.filePath("plain.xml")));
        QCOMPARE(::rename(QFile::encodeName(m_dir.filePath("plain.xml")).constData(),
                          native.constData()),
                 0);
        const QString path = PathFromNative(native);
        Start({path});
        QCOMPARE(Doc()->GetPathName(), path);
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 5);
        MarkModified(*Doc());
        Trigger(ID_FILE_SAVE);
        QVERIFY(!Doc()->IsModified());
        m_app->ExitInstance();
        QCOMPARE(LoadRecentFiles(), QStringList{path});
        ::unlink(native.constData());
    }

    // A merge says how many same-name signals it brought in (duplicates it skips), with a way
    // to the Problems list; one that brings in none says nothing of them.
    void mergeSaysWhatItRepeats_data() {
        QTest::addColumn<QByteArray>("added"); // signals the other file holds besides its own
        QTest::addColumn<QString>("said");     // the notice, or empty
        QTest::newRow("none") << QByteArray() << QString();
        // The second Zeta is skipped as equal to the first; the second Zulu is brought in.
        QTest::newRow("a same name")
            << QByteArray("<Signal Name='Zeta' Mode='no-mode' Modulation='CW' Disabled='0'/>"
                          "<Signal Name='Zulu' Mode='no-mode' Modulation='MFSK' Disabled='0'>"
                          "<NumTones>4</NumTones></Signal>")
            << "The merge brought in 1 signal with the name of another: Show Problems lists them";
    }
    void mergeSaysWhatItRepeats() {
        QFETCH(QByteArray, added);
        QFETCH(QString, said);
        Start({Copy("mixed.xml")});
        QByteArray other = ReadAll(DataFile("other.xml"));
        other.replace("</SignalList>", added + "</SignalList>");
        const QString path = m_dir.filePath("repeats.xml");
        QVERIFY(WriteBytes(path, other));
        CPrompts::PushFileName(path);
        ApplyMergeReview();
        Trigger(ID_FILE_MERGE);
        CMessageBar* bar = Frame()->MessageBar();
        const QStringList repeats = bar->Messages().filter("brought in");
        QCOMPARE(repeats, said.isEmpty() ? QStringList() : QStringList{said});
        QCOMPARE(BarButton(bar, "Show &Problems") != nullptr, !said.isEmpty());
        if (said.isEmpty())
            return;
        BarButton(bar, "Show &Problems")->click();
        QVERIFY(Frame()->ProblemsDock()->isVisible());
        QTRY_VERIFY(!Frame()->Problems()->Problems().empty());
    }

    void mergeColoursRows() {
        Start({Copy("mixed.xml")});
        CPrompts::PushFileName(Copy("other.xml"));
        ApplyMergeReview();
        Trigger(ID_FILE_MERGE);
        const auto* model = Frame()->View()->RowModel();
        QCOMPARE(model->rowCount(), 7);
        QCOMPARE(model->index(5, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 160, 0));
        QCOMPARE(model->index(6, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 160, 0));
        QVERIFY(Doc()->IsModified());
        QCOMPARE(Title(), QStringLiteral("mixed.xml - Quarn Editor"));
        // The status bar says the counts; the whole summary stays in the message bar, with a
        // button that selects the merged rows; Undo of the merge takes it away.
        QCOMPARE(Frame()->statusBar()->currentMessage(),
                 QStringLiteral("Merge: 2 signals added, 1 skipped as duplicates"));
        QVERIFY(CPrompts::ShownMessages().isEmpty());
        CMessageBar* bar = Frame()->MessageBar();
        QVERIFY(bar->Messages().join('|').contains(
            "Merge: 2 signals added, 1 skipped as duplicates, 1 of them differing"));
        QPushButton* select = BarButton(bar, "&Select Merged Signals");
        QVERIFY(select);
        select->click();
        QCOMPARE(Frame()->View()->selectionModel()->selectedRows().size(), 2);
        Trigger(ID_EDIT_UNDO);
        QVERIFY(bar->Messages().isEmpty());
        QCOMPARE(model->rowCount(), 5);
        Trigger(ID_EDIT_REDO);
        // A merge of a file that is not well-formed says why and changes nothing.
        CPrompts::PushFileName(Copy("broken.xml"));
        Trigger(ID_FILE_MERGE);
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(model->rowCount(), 7);
        QVERIFY(CPrompts::ShownMessages().last().text.contains("line"));
    }

    // File > Merge shows what the other file brings before anything changes; Space in the
    // review checks and unchecks; Apply makes the checked changes as one step.
    void mergeIsReviewedFirst_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("toggled"); // rows Space is pressed on
        QTest::addColumn<QStringList>("names");   // the list afterwards, in its order
        QTest::addColumn<QString>("beacon");      // Beacon's comment afterwards
        const QStringList held{"Baudot 50", "Beacon", "DRM", "Olivia", "STANAG 4285"};
        QTest::newRow("cancel") << int(QDialog::Rejected) << QStringList{"Zulu"} << held << "";
        QTest::newRow("as it opens")
            << int(QDialog::Accepted) << QStringList{} << held + QStringList{"Zeta", "Zulu"} << "";
        QTest::newRow("one new left out, the same name taken")
            << int(QDialog::Accepted) << QStringList{"Zulu", "Beacon"} << held + QStringList{"Zeta"}
            << "newer";
    }
    void mergeIsReviewedFirst() {
        QFETCH(int, result);
        QFETCH(QStringList, toggled);
        QFETCH(QStringList, names);
        QFETCH(QString, beacon);
        Start({Copy("mixed.xml")});
        QByteArray other = ReadAll(DataFile("other.xml"));
        other.replace("</SignalList>", "<Signal Name='Beacon' Mode='cw-morse' Modulation='CW'>"
                                       "<CodecheckCounter>1</CodecheckCounter>"
                                       "<Comment>newer</Comment></Signal></SignalList>");
        const QString path = m_dir.filePath("update.xml");
        QVERIFY(WriteBytes(path, other));
        CPrompts::PushFileName(path);
        QStringList kinds;
        CPrompts::PushDialogHandler([&](QDialog& dialog) {
            auto* review = qobject_cast<CMergeReviewDialog*>(&dialog);
            if (review == nullptr)
                return int(QDialog::Rejected);
            QTreeView* tree = review->Tree();
            const QAbstractItemModel* model = tree->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex name = model->index(row, 0);
                kinds << name.data().toString() + ": " + model->index(row, 1).data().toString() +
                             (name.data(Qt::CheckStateRole) == Qt::Checked ? " [x]" : " [ ]");
                if (toggled.contains(name.data().toString())) {
                    tree->setCurrentIndex(name);
                    QTest::keyClick(tree, Qt::Key_Space);
                }
            }
            return result;
        });
        Trigger(ID_FILE_MERGE);
        QCOMPARE(kinds,
                 (QStringList{"Baudot 50: equal to a held signal (skipped) [ ]", "Zeta: new [x]",
                              "Zulu: new [x]", "Beacon: same name, other values [ ]"}));
        QStringList after;
        QString comment;
        for (const auto& s : Doc()->Signals()) {
            after << QString(reinterpret_cast<const QChar*>(s->m_szName.c_str()));
            if (after.last() == "Beacon")
                comment = QString(reinterpret_cast<const QChar*>(s->m_szComment.c_str()));
        }
        QCOMPARE(after, names);
        QCOMPARE(comment, beacon);
        QCOMPARE(Doc()->IsModified(), names.size() > 5 || !beacon.isEmpty());
        if (!Doc()->IsModified())
            return;
        // The whole merge is one step of the history.
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(Doc()->GetSignalCount(), 5);
        QVERIFY(!Doc()->IsModified());
    }

    // File > Update from merges against what the last merge of the same file took in: the
    // user's own edit stays, only the file's change comes in.
    void updateKnowsTheBase_data() {
        QTest::addColumn<bool>("mergedBefore");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QString>("after"); // NAME=COMMENT of each signal
        QTest::newRow("merged before")
            << true << QStringList{"B: changed there [x]", "A: changed here [ ]"} << "A=mine B=b2";
        QTest::newRow("never merged")
            << false
            << QStringList{"A: same name, other values [ ]", "B: same name, other values [ ]"}
            << "A=mine B=b";
    }
    void updateKnowsTheBase() {
        QFETCH(bool, mergedBefore);
        QFETCH(QStringList, kinds);
        QFETCH(QString, after);
        const auto database = [](const char* a, const char* b) {
            return QByteArray("<SignalList><Signal Name='A' Modulation='CW'><Comment>") + a +
                   "</Comment></Signal><Signal Name='B' Modulation='CW'><Comment>" + b +
                   "</Comment></Signal></SignalList>";
        };
        const QString db = m_dir.filePath("db.xml");
        const QString release = m_dir.filePath("release.xml");
        QVERIFY(WriteBytes(release, database("a", "b")));
        QVERIFY(WriteBytes(db, mergedBefore ? "<SignalList/>" : database("a", "b")));
        Start({db});
        if (mergedBefore) {
            CPrompts::PushFileName(release);
            ApplyMergeReview();
            Trigger(ID_FILE_MERGE);
            Trigger(ID_FILE_SAVE);
            QCOMPARE(Doc()->GetSignalCount(), 2);
        }
        CSignalDescription value = *Doc()->GetSignal(0);
        value.m_szComment.Assign(u"mine");
        Frame()->View()->Controller()->Edit(Doc()->GetSignal(0), value);
        QVERIFY(WriteBytes(release, database("a", "b2"))); // the next release
        CPrompts::PushFileName(release);
        QStringList shown;
        QString intro;
        CPrompts::PushDialogHandler([&](QDialog& dialog) {
            const QAbstractItemModel* model =
                qobject_cast<CMergeReviewDialog*>(&dialog)->Tree()->model();
            for (int row = 0; row < model->rowCount(); ++row)
                shown << model->index(row, 0).data().toString() + ": " +
                             model->index(row, 1).data().toString() +
                             (model->index(row, 0).data(Qt::CheckStateRole) == Qt::Checked
                                  ? " [x]"
                                  : " [ ]");
            for (QLabel* label : dialog.findChildren<QLabel*>())
                intro += label->text();
            return int(QDialog::Accepted);
        });
        Trigger(ID_FILE_UPDATE);
        QCOMPARE(shown, kinds);
        QCOMPARE(intro.contains("Changes since the version of"), mergedBefore);
        QStringList signalsNow;
        for (const auto& s : Doc()->Signals())
            signalsNow << QStringView(s->m_szName.c_str()).toString() + "=" +
                              QStringView(s->m_szComment.c_str()).toString();
        QCOMPARE(signalsNow.join(' '), after);
    }

    // Compare With takes a git revision of the open file where a file name would go.
    void compareWithRevision_data() {
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QString>("said"); // the notice, or the failure message's start
        QTest::newRow("HEAD") << "HEAD"
                              << "Compared with HEAD:s.xml: 0 added, 0 removed, 1 changed";
        QTest::newRow("a tag") << "v1"
                               << "Compared with v1:s.xml: 0 added, 1 removed, 1 changed";
        QTest::newRow("no such revision")
            << "nosuch"
            << "Cannot compare.\n\nnosuch is neither a file nor a git revision of";
        QTest::newRow("an option is no revision")
            << "--output=x"
            << "Cannot compare.\n\n--output=x is neither a file";
    }
    void compareWithRevision() {
        QFETCH(QString, revision);
        QFETCH(QString, said);
        if (QStandardPaths::findExecutable("git").isEmpty())
            QSKIP("git is not installed");
        const QString repo = m_dir.filePath("repo");
        const auto git = [&](const QStringList& args) {
            return !Git(repo, m_dir.path(), args).isNull();
        };
        const QString file = repo + "/s.xml";
        QVERIFY(WriteBytes(file, "<SignalList><Signal Name='A' Modulation='CW'/></SignalList>"));
        QVERIFY(
            git({"init", "-q", "-b", "main"}) && git({"add", "."}) &&
            git({"-c", "user.email=t@example.org", "-c", "user.name=t", "commit", "-qm", "one"}) &&
            git({"tag", "v1"}));
        QVERIFY(WriteBytes(file, "<SignalList><Signal Name='A' Modulation='CW'><Comment>c</Comment>"
                                 "</Signal><Signal Name='B' Modulation='CW'/></SignalList>"));
        QVERIFY(
            git({"-c", "user.email=t@example.org", "-c", "user.name=t", "commit", "-qam", "two"}));
        Start({file});
        // Edited in the editor since: A's comment.
        CSignalDescription value = *Doc()->GetSignal(0);
        value.m_szComment.Assign(u"edited");
        Frame()->View()->Controller()->Edit(Doc()->GetSignal(0), value);
        CPrompts::PushFileName(repo + "/" + revision);
        Trigger(ID_FILE_COMPARE);
        const QString shown = CPrompts::ShownMessages().isEmpty()
                                  ? Frame()->MessageBar()->Messages().join("|")
                                  : CPrompts::ShownMessages().last().text;
        QVERIFY2(shown.contains(said), qPrintable(shown));
    }

    // The failure message of a file operation is the only window above the main window:
    // the operation's progress window is gone before it appears.
    void failureMessageIsNotCovered_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("open") << int(ID_FILE_OPEN) << "broken.xml";
        QTest::newRow("merge") << int(ID_FILE_MERGE) << "broken.xml";
        QTest::newRow("save as") << int(ID_FILE_SAVE_AS) << "no/such/folder/x.xml";
    }
    void failureMessageIsNotCovered() {
        QFETCH(int, command);
        QFETCH(QString, file);
        Start({Copy("mixed.xml")});
        CPrompts::PushFileName(file.contains('/') ? m_dir.filePath(file) : Copy(file));
        Trigger(static_cast<std::uint32_t>(command));
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages().last().icon, QMessageBox::Critical);
        QCOMPARE(CPrompts::ShownMessages().last().dialogs, QStringList());
    }

    // What a file holds that a save will not keep as it is goes to the message bar, never to
    // a modal box: names this version does not know, content outside the records, cut texts,
    // numbers in another form, another kind of XML file.
    void readingIsReported_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown names")
            << QByteArray("<r><Signal Name='a' Mode='zz-new' Modulation='CW'/>"
                          "<Signal Name='b' Mode='zz-new' Modulation='QAM-1024'/></r>")
            << "2 signals of this file name a decoder mode or modulation that this version of "
               "Quarn Editor does not know:\n    decoder mode \"zz-new\": 2 signals\n    "
               "modulation \"QAM-1024\": 1 signal\n\n";
        QTest::newRow("content outside the records")
            << QByteArray("<?xml version='1.0'?><!DOCTYPE SignalDatabase><!-- c1 -->"
                          "<SignalDatabase><!-- c2 --><?pi x?><Vendor/><SignalList>"
                          "<Signal Name='a' Modulation='CW'/></SignalList>"
                          "<Signal Name='b' Modulation='CW'/></SignalDatabase>")
            << ": 1 comment outside signals and 1 processing instruction outside signals and "
               "the document type declaration and 1 <Vendor> element and the place of 1 Signal "
               "element outside SignalList will not be saved.";
        QTest::newRow("cut texts and numbers")
            << "<SignalDatabase><SignalList><Signal Name='" + QByteArray(70, 'n') +
                   "' Modulation='CW'><Comment>" + QByteArray(600, 'c') +
                   "</Comment><PilotFrequency>1234567</PilotFrequency></Signal>"
                   "<Signal Name='x' Modulation='FSK'><Baudrate>45,45</Baudrate></Signal>"
                   "</SignalList></SignalDatabase>"
            << ": 1 name was cut to 59 characters; 1 comment was cut to 499 characters; the pilot "
               "frequency of \"" +
                   QString(59, 'n') +
                   "\" will be saved as 1.23457e+006; the baud "
                   "rate of \"x\" will be saved as 45.";
        QTest::newRow("another kind of XML file")
            << QByteArray("<project><modelVersion>4</modelVersion></project>")
            << " does not look like a signal database: its root element is <project> and it "
               "holds no Signal elements. Saving will replace its content with a signal "
               "database.";
    }
    void readingIsReported() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = m_dir.filePath("reported.xml");
        QVERIFY(WriteBytes(path, content));
        Start({path});
        QCOMPARE(CPrompts::ShownMessages().size(), 0);
        const QString shown = Frame()->MessageBar()->Messages().join("\n\n");
        QVERIFY2(shown.contains(expected), qPrintable(shown));
        QVERIFY(Frame()->MessageBar()->isVisibleTo(Frame()));
        // Merging the same file again says it once more in place of the first time, and
        // what holds for every file stays said once.
        const qsizetype notices = Frame()->MessageBar()->Messages().size();
        CPrompts::PushFileName(path);
        ApplyMergeReview();
        Trigger(ID_FILE_MERGE);
        const QStringList after = Frame()->MessageBar()->Messages();
        QCOMPARE(after.filter("An unknown decoder mode is shown").size(),
                 shown.contains("An unknown decoder mode is shown") ? 1 : 0);
        QCOMPARE(after.filter(expected).size(), 1);
        QCOMPARE(after.size(), notices + 1); // the merge's own summary
        if (QTest::currentDataTag() != QLatin1String("another kind of XML file"))
            return;
        // The first save onto it asks, No the default; the file stays until the user agrees.
        Trigger(ID_FILE_SAVE);
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 path + " does not look like a signal database. Replace its content "
                        "with a signal database?");
        QCOMPARE(FileBytes(path), content);
        CPrompts::PushAnswer(QMessageBox::Yes);
        Trigger(ID_FILE_SAVE);
        QVERIFY(FileBytes(path).contains("<SignalList/>"));
    }

    void saveAsAndFailedSave() {
        Start({Copy("mixed.xml")});
        const QString target = m_dir.filePath("saved-as.xml");
        CPrompts::PushFileName(target);
        Trigger(ID_FILE_SAVE_AS);
        QCOMPARE(Title(), QStringLiteral("saved-as.xml - Quarn Editor"));
        QVERIFY(QFile::exists(target));
        MarkModified(*Doc());
        CPrompts::PushFileName(m_dir.filePath("no/such/folder/x.xml"));
        Trigger(ID_FILE_SAVE_AS);
        QVERIFY(Doc()->IsModified());
        QVERIFY(CPrompts::ShownMessages().last().text.startsWith("Cannot save"));
        QCOMPARE(Title(), QStringLiteral("saved-as.xml - Quarn Editor"));
    }

    // Save asks before writing over a file that another program changed, replaced (also
    // keeping size and time, or by a symbolic link) or deleted; Cancel writes nothing, Save
    // writes, but never creates what a dangling link names.
    void saveAsksWhenTheFileChanged_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("saves");
        QTest::newRow("appended") << "append" << true;
        QTest::newRow("replaced with same size and time") << "replace" << true;
        QTest::newRow("swapped for a link") << "link" << true;
        QTest::newRow("swapped for a dangling link") << "dangling" << false;
        QTest::newRow("deleted") << "delete" << true;
        QTest::newRow("unchanged") << "none" << true;
    }
    void saveAsksWhenTheFileChanged() {
        QFETCH(QString, change);
        QFETCH(bool, saves);
        const QString path = Copy("mixed.xml");
        const QString elsewhere = m_dir.filePath("elsewhere.xml");
        QFile::remove(elsewhere);
        Start({path});
        MarkModified(*Doc());
        const QByteArray native = QFile::encodeName(path);
        if (change == "append") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("<!-- changed elsewhere -->\n");
        } else if (change == "replace") { // as cp -p or rsync -a do
            struct stat before {};
            QCOMPARE(::stat(native.constData(), &before), 0);
            const QString other = m_dir.filePath("other-copy.xml");
            QFile::remove(other);
            QVERIFY(QFile::copy(path, other));
            const timespec times[2] = {before.st_atim, before.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(other).constData(), times, 0), 0);
            QCOMPARE(::rename(QFile::encodeName(other).constData(), native.constData()), 0);
        } else if (change == "link" || change == "dangling") {
            if (change == "link")
                QVERIFY(QFile::copy(path, elsewhere));
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::link(elsewhere, path));
        } else if (change == "delete") {
            QVERIFY(QFile::remove(path));
        }
        const qsizetype shown = CPrompts::ShownMessages().size();
        CPrompts::PushAnswer(QMessageBox::Cancel);
        Trigger(ID_FILE_SAVE);
        if (change == "none") {
            QCOMPARE(CPrompts::ShownMessages().size(), shown);
            QVERIFY(!Doc()->IsModified());
            return;
        }
        QVERIFY(Doc()->IsModified());
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 path + " was changed, replaced or deleted by another program since it was "
                        "opened. Save anyway?");
        CPrompts::PushAnswer(QMessageBox::Save);
        Trigger(ID_FILE_SAVE);
        QCOMPARE(!Doc()->IsModified(), saves);
        if (!saves) {
            QVERIFY(!QFile::exists(elsewhere));
            QVERIFY(CPrompts::ShownMessages().last().text.endsWith(
                "is a symbolic link to a file that does not exist"));
        }
    }

    // File dialogs start in the open database's folder, else in the folder last chosen, else
    // in the working folder; Export proposes NAME.csv there and says where it wrote.
    void fileDialogsStartWhereTheDatabaseIs() {
        QSettings(QStringLiteral("Korvel"), QStringLiteral("Quarn Editor")).remove("Folders");
        Start();
        const QStringList& starts = CPrompts::FileDialogStarts();
        Trigger(ID_FILE_OPEN); // cancelled
        QCOMPARE(starts.last(), QDir::currentPath());
        CPrompts::PushFileName(Copy("mixed.xml"));
        Trigger(ID_FILE_OPEN);
        Trigger(ID_FILE_MERGE); // cancelled
        QCOMPARE(starts.last(), m_dir.path());
        const QString csv = m_dir.filePath("out.csv");
        CPrompts::PushFileName(csv);
        Trigger(ID_FILE_EXPORT);
        QCOMPARE(starts.last(), m_dir.filePath("mixed.csv"));
        QCOMPARE(Frame()->statusBar()->currentMessage(), "5 signals exported to " + csv);
        Trigger(ID_FILE_NEW);
        Trigger(ID_FILE_SAVE_AS); // cancelled
        QCOMPARE(starts.last(), m_dir.filePath("Untitled.xml"));
        // The folder last chosen outlives the editor.
        cleanup();
        Start();
        Trigger(ID_FILE_OPEN);
        QCOMPARE(starts.last(), m_dir.path());
    }

    // A file dropped on the window asks the save question first, then opens.
    void droppedFileAsksToSave() {
        Start({Copy("mixed.xml")});
        MarkModified(*Doc());
        CPrompts::PushAnswer(QMessageBox::No);
        // What the window's drop handler emits for a dropped local file.
        emit Frame()->fileDropped(Copy("other.xml"));
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(CPrompts::ShownMessages()[0].text.startsWith("Save changes to"));
        QCOMPARE(Title(), QStringLiteral("other.xml - Quarn Editor"));
        QVERIFY(!Doc()->IsModified());
    }

    // Cancel in the progress window of an open from the recent files stops the read: the
    // database stays as it was, no error is shown, the entry stays, the status bar says so.
    void progressCancelStopsOpen() {
        const QString small = Copy("mixed.xml");
        QFile big(m_dir.filePath("big.xml"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        // The signals are read much more slowly per byte than the comments after them, so that
        // the progress window's estimate of the whole read passes half a second at its first
        // look (after 50 ms), however fast this machine reads them.
        big.write("<r>" + QByteArray("<Signal Name='x' Modulation='CW'/>").repeated(1000000));
        const QByteArray comment = "<!--" + QByteArray(1 << 20, 'c') + "-->";
        for (int i = 0; i < 100; ++i)
            big.write(comment);
        big.write("</r>");
        big.close();
        SaveRecentFiles({big.fileName()});
        Start({small});
        const QStringList recent = m_app->RecentFiles();
        // Once shown, the progress window runs the event loop while it reports: the cancel
        // comes from there, whenever the loop first runs with the window there.
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, Frame(), [this] {
            if (auto* dialog = Frame()->findChild<QProgressDialog*>())
                dialog->cancel();
        });
        canceller.start(0);
        const qsizetype shown = CPrompts::ShownMessages().size();
        Trigger(ID_FILE_MRU_FILE1 + 1);
        canceller.stop();
        QCOMPARE(CPrompts::ShownMessages().size(), shown);
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 5);
        QCOMPARE(m_app->RecentFiles(), recent);
        QCOMPARE(Frame()->statusBar()->currentMessage(), QStringLiteral("Cancelled."));
    }
};

int main(int argc, char** argv) {
    return RunEditorTest<TestFiles>(argc, argv);
}

#include "tst_files.moc"
