// The main window: layout, menus, keys, toolbar, panes, looks, languages, help.
#include "EditorTest.h"
#include "ParameterBar.h"
#include "SignalColumns.h"
#include "TestDocument.h"
#include "VantorView.h"
#include <QMenu>
#include <QTranslator>

// A menu as it shows, an entry a line: popups indented below their entry, "-" a separator.
QString Outline(const QMenu* menu, int depth = 0) {
    QString out;
    for (QAction* action : menu->actions()) {
        out += QString(depth * 2, u' ');
        if (action->isSeparator())
            out += "-\n";
        else if (action->menu())
            out += action->text() + "\n" + Outline(action->menu(), depth + 1);
        else if (action->isVisible())
            out += action->text() + "\n";
        else
            out.chop(depth * 2);
    }
    return out;
}

class TestWindow : public CEditorTest {
    Q_OBJECT

private slots:
    // The window, the toolbar and the columns come back as they were left, although the exit
    // erases the workspace; the first start makes each column as wide as its heading.
    void layoutIsRemembered() {
        Start();
        QHeaderView* header = Frame()->View()->horizontalHeader();
        const QString heading = QStringLiteral("Baud / Symbol Rate");
        QVERIFY(header->sectionSize(ColumnBaudrate) >
                header->fontMetrics().horizontalAdvance(heading));
        header->resizeSection(ColumnName, 251);
        Frame()->ToolBar()->hide();
        m_app->ExitInstance();
        QVERIFY(!HasWorkspace());
        m_app.reset();
        Start();
        QCOMPARE(Frame()->View()->horizontalHeader()->sectionSize(ColumnName), 251);
        QVERIFY(Frame()->ToolBar()->isHidden());
    }

    // The header's menu hides and shows columns (Name stays) and fits them; columns move by
    // drag; the first start fits Name to the rows shown, up to half the window; all of it
    // comes back at the next start.
    void columnsFitAndAreKept() {
        Start({Copy("mixed.xml")});
        Frame()->show();
        QHeaderView* header = Frame()->View()->horizontalHeader();
        const int longest = Frame()->View()->fontMetrics().horizontalAdvance("STANAG 4285");
        QTRY_VERIFY(header->sectionSize(ColumnName) > longest);
        QVERIFY(header->sectionSize(ColumnName) <= Frame()->width() / 2);
        QMenu* menu = Frame()->View()->ColumnMenu();
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items.first(), QStringLiteral("Decoder"));
        QVERIFY(!items.contains(QStringLiteral("Name")));
        QCOMPARE(items.last(), QStringLiteral("&Fit Columns to Contents"));
        menu->actions()[ColumnComment - 1]->toggle();
        QVERIFY(header->isSectionHidden(ColumnComment));
        header->resizeSection(ColumnShift, 300);
        menu->actions().last()->trigger();
        QVERIFY(header->sectionSize(ColumnShift) < 300);
        header->moveSection(header->visualIndex(ColumnITU), 1);
        m_app->ExitInstance();
        m_app.reset();
        Start({Copy("mixed.xml")});
        header = Frame()->View()->horizontalHeader();
        QVERIFY(header->isSectionHidden(ColumnComment));
        QCOMPARE(header->visualIndex(ColumnITU), 1);
    }

    void startWithoutFile() {
        Start();
        QVERIFY(Frame()->isVisible());
        QCOMPARE(Title(), QStringLiteral("Untitled - Quarn Editor"));
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 0);
        QCOMPARE(Frame()->CurrentLook(), int(ID_LOOK_DESKTOP));
        QVERIFY(Action(ID_LOOK_DESKTOP)->isChecked());
        QCOMPARE(Frame()->ToolBar()->windowTitle(), QStringLiteral("Standard"));
        QCOMPARE(Frame()->statusBar()->findChild<QLabel*>("Prompt")->text(),
                 QStringLiteral("Ready"));
    }

    // The menus show the command table's entries in its order, each popup as its own menu;
    // the context menu repeats the Edit menu.
    void menus() {
        Start();
        auto* bar = new QMenu;
        for (QAction* popup : Frame()->menuBar()->actions())
            bar->addMenu(popup->menu());
        const QString shown = "[main]\n" + Outline(bar) + "[context]\n" +
                              Outline(Frame()->ContextMenu()) + "[looks]\n" +
                              Outline(Frame()->LookMenu());
        delete bar;
        QStringList expected;
        for (const QString& line : QString::fromUtf8(ReadAll(DataFile("menus.txt"))).split('\n')) {
            if (!line.startsWith('#'))
                expected << line;
        }
        QCOMPARE(shown.split('\n'), expected);
        // Toolbar: New, Open, Save | New Signal, Delete Signal | Help, customize drop-down.
        QStringList tools;
        for (QAction* action : Frame()->ToolBar()->actions())
            tools << (action->isSeparator() ? "-" : action->toolTip());
        tools.removeLast(); // the drop-down
        QCOMPARE(tools, (QStringList{"New", "Open", "Save", "-", "New Signal", "Delete Signal", "-",
                                     "Help"}));
        QCOMPARE(Action(ID_FILE_SAVE)->statusTip(), QStringLiteral("Save the active document"));
    }

    // The interface follows the locale: German is complete (no unfinished entry), the C
    // locale gives the English texts as written; in both, every menu's Alt+letters are unique.
    void interfaceLanguage_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("copy"); // the Copy item, its key as the desktop writes it
        QTest::newRow("English") << QLocale::c() << QStringList{"&File", "&Edit", "&View", "&Help"}
                                 << "Baud / Symbol Rate"
                                 << "&Copy\tCtrl+Ins";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << QStringList{"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe"}
                                << "Baud / Symbolrate"
                                << "&Kopieren\tStrg+Einfg";
    }
    void interfaceLanguage() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, menus);
        QFETCH(QString, heading);
        QFETCH(QString, copy);
        QFile ts(QUARN_TS_DE);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QByteArray xml = ts.readAll();
        QVERIFY(xml.count("<message>") > 300);
        QCOMPARE(xml.count("type=\"unfinished\""), 0);
        QCOMPARE(xml.count("<translation></translation>"), 0);
        auto english = qScopeGuard([] { InstallTranslations(*qApp, QLocale::c()); });
        QCOMPARE(InstallTranslations(*qApp, locale), locale.language() != QLocale::C);
        Start();
        QStringList titles;
        for (QAction* popup : Frame()->menuBar()->actions())
            titles << popup->text();
        QCOMPARE(titles, menus);
        QCOMPARE(Frame()->View()->model()->headerData(4, Qt::Horizontal).toString(), heading);
        QCOMPARE(Action(ID_EDIT_COPY)->text(), copy);
        std::function<void(QWidget*, const QList<QAction*>&, const QString&)> unique =
            [&unique](QWidget* menu, const QList<QAction*>& actions, const QString& where) {
                QString letters;
                for (QAction* action : actions) {
                    const QString text = QString(action->text()).remove(QStringLiteral("&&"));
                    const qsizetype amp = text.indexOf(u'&');
                    if (amp >= 0 && amp + 1 < text.size()) {
                        const QChar letter = text[amp + 1].toLower();
                        QVERIFY2(!letters.contains(letter),
                                 qPrintable(where + ": " + letter + " twice"));
                        letters += letter;
                    }
                    if (action->menu())
                        unique(action->menu(), action->menu()->actions(),
                               where + " > " + action->text());
                }
                Q_UNUSED(menu);
            };
        unique(Frame()->menuBar(), Frame()->menuBar()->actions(), QStringLiteral("menu bar"));
    }

    // Every validation message and column heading the record names has its German text.
    void recordTextsTranslated() {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/quarn-editor_de.qm")));
        QStringList missing;
        const auto check = [&](const char* english) {
            if (german.translate("Signal", english).isEmpty())
                missing << QString::fromLatin1(english);
        };
        for (int problem = 1; problem < SignalProblemCount; ++problem)
            check(SignalProblemSource(static_cast<SignalProblem>(problem)));
        for (int column = 0; column < SignalColumnCount; ++column)
            check(SignalColumnSource(column));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u", ")));
    }

    // Under LANG=de_DE.UTF-8 the editor speaks German. The system locale is read once per
    // process, so the test runs itself again in that environment.
    void interfaceFollowsLang() {
        if (qEnvironmentVariableIsSet("QUARN_TEST_LANG_CHILD")) {
            QVERIFY(InstallTranslations(*qApp));
            Start();
            QCOMPARE(Frame()->menuBar()->actions().value(0)->text(), QStringLiteral("&Datei"));
            return;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            environment.remove(name);
        environment.insert("LANG", "de_DE.UTF-8");
        environment.insert("QUARN_TEST_LANG_CHILD", "1");
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"interfaceFollowsLang"});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput().constData());
    }

    // Every command of the table has its action in the window, made for that id.
    void everyCommandHasAnAction() {
        Start();
        for (const CommandInfo& command : Commands()) {
            QAction* action = Action(command.id);
            QVERIFY2(action, qPrintable(QString::number(command.id)));
            QCOMPARE(CommandId(action), command.id);
        }
    }

    void disabledStates() {
        Start();
        for (std::uint32_t id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_UNDO, ID_EDIT_REDO,
                                 ID_SIGNAL_EDIT, ID_SIGNAL_DUPLICATE, ID_NEXT_PANE, ID_PREV_PANE,
                                 ID_FILE_MRU_FILE1, ID_TOOLBAR_CUSTOMIZE})
            QVERIFY2(!Action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (std::uint32_t id :
             {ID_FILE_NEW, ID_FILE_SAVE, ID_FILE_MERGE, ID_SIGNAL_NEW, ID_SIGNAL_DELETE,
              ID_SIGNAL_ENABLE, ID_HELP, ID_APP_ABOUT, ID_FILTER_ALL, ID_EDIT_FIND, ID_FILE_EXPORT})
            QVERIFY2(Action(id)->isEnabled(), qPrintable(QString::number(id)));
        // Paste follows the clipboard: there only while it offers signals.
        QGuiApplication::clipboard()->setText(QStringLiteral("plain words"));
        QVERIFY(!Action(ID_EDIT_PASTE)->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("<Signal Name='a' Modulation='CW'/>"));
        QVERIFY(Action(ID_EDIT_PASTE)->isEnabled());
    }

    // Every accelerator of the window, F1 and Enter, pressed in the list: each does what its
    // command does, and a key with nothing to do changes nothing, not even the clipboard.
    void accelerators_data() {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("effect");
        const struct {
            QKeyCombination key;
            const char* effect;
        } rows[] = {{Qt::CTRL | Qt::Key_P, "copies"},
                    {Qt::CTRL | Qt::Key_Insert, "copies"},
                    {Qt::SHIFT | Qt::Key_Delete, "cuts"},
                    {Qt::CTRL | Qt::Key_X, "cuts"},
                    {QKeyCombination(Qt::Key_Delete), "asks to delete"},
                    {QKeyCombination(Qt::Key_Insert), "edits"},
                    {Qt::CTRL | Qt::Key_V, "nothing"},
                    {Qt::SHIFT | Qt::Key_Insert, "nothing"},
                    {Qt::CTRL | Qt::Key_A, "selects all"},
                    {Qt::ALT | Qt::Key_Backspace, "nothing"},
                    {Qt::CTRL | Qt::Key_Z, "nothing"},
                    {Qt::CTRL | Qt::Key_N, "empties"},
                    {Qt::CTRL | Qt::Key_O, "asks for a file"},
                    {Qt::CTRL | Qt::Key_C, "empties"},
                    {Qt::CTRL | Qt::Key_S, "saves"},
                    {QKeyCombination(Qt::Key_F6), "nothing"},
                    {Qt::SHIFT | Qt::Key_F6, "nothing"},
                    {Qt::CTRL | Qt::Key_M, "asks for a file"},
                    {Qt::CTRL | Qt::Key_Y, "nothing"},
                    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "nothing"},
                    {Qt::CTRL | Qt::Key_F, "finds"},
                    {Qt::CTRL | Qt::SHIFT | Qt::Key_F, "finds by parameters"},
                    {Qt::CTRL | Qt::Key_D, "edits"},
                    {QKeyCombination(Qt::Key_F8), "nothing"},
                    {Qt::SHIFT | Qt::Key_F8, "nothing"},
                    {QKeyCombination(Qt::Key_F4), "shows details"},
                    {QKeyCombination(Qt::Key_F1), "opens help"},
                    {QKeyCombination(Qt::Key_Return), "edits"},
                    {Qt::KeypadModifier | Qt::Key_Enter, "edits"},
                    {Qt::CTRL | Qt::Key_W, "empties"},
                    {Qt::CTRL | Qt::SHIFT | Qt::Key_S, "asks for a file"},
                    {Qt::CTRL | Qt::Key_Q, "quits"}};
        for (const auto& row : rows)
            QTest::newRow(qPrintable(QKeySequence(row.key).toString())) << row.key << row.effect;
        QCOMPARE(int(std::size(rows)), int(Accelerators().size()) + 3);
    }
    void accelerators() {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, effect);
        CVantorView* view = StartFocused();
        QVERIFY(view);
        view->setCurrentIndex(view->RowModel()->index(1, 0));
        const QString current = view->currentIndex().data().toString();
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        if (effect == "saves")
            MarkModified(*Doc());
        bool dialog = false;
        CPrompts::PushDialogHandler([&dialog](QDialog& d) {
            dialog = true;
            d.reject();
            return int(QDialog::Rejected);
        });
        CPrompts::PushAnswer(QMessageBox::No);
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());

        const bool copied = effect == "copies" || effect == "cuts";
        QCOMPARE(Doc()->GetSignalCount(), effect == "empties" ? 0 : effect == "cuts" ? 4 : 5);
        QCOMPARE(Doc()->IsModified(), effect == "cuts");
        const QString clipboard = QGuiApplication::clipboard()->text();
        QVERIFY2(copied ? clipboard.contains("<Signal Name=\"" + current + "\"")
                        : clipboard == "kept",
                 qPrintable(clipboard));
        QCOMPARE(dialog, effect == "edits");
        const bool asks = effect == "asks to delete";
        QCOMPARE(CPrompts::ShownMessages().size(), asks ? 1 : 0);
        QCOMPARE(CPrompts::FileFilters().size(), effect == "asks for a file" ? 1 : 0);
        if (effect == "asks for a file")
            QVERIFY(CPrompts::FileFilters()[0].endsWith(";;All Files (*)"));
        QCOMPARE(Frame()->HelpWindow() && Frame()->HelpWindow()->isVisible(),
                 effect == "opens help");
        QCOMPARE(Frame()->FindBar()->isVisible(), effect == "finds");
        QCOMPARE(Frame()->ParameterBar()->isVisible(), effect == "finds by parameters");
        QCOMPARE(Frame()->DetailsDock()->isVisible(), effect == "shows details");
        QCOMPARE(Frame()->isVisible(), effect != "quits");
        if (effect == "selects all")
            QCOMPARE(view->selectionModel()->selectedRows().size(), 5);
    }

    // The CAP, NUM and SCRL panes show the lock keys that are on, and stay blank where the
    // window system does not tell.
    void lockPanes_data() {
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("caps");
        QTest::addColumn<bool>("num");
        QTest::addColumn<bool>("scroll");
        QTest::newRow("unknown") << false << true << true << true;
        QTest::newRow("caps and scroll") << true << true << false << true;
        QTest::newRow("num") << true << false << true << false;
    }
    void lockPanes() {
        QFETCH(bool, known);
        QFETCH(bool, caps);
        QFETCH(bool, num);
        QFETCH(bool, scroll);
        LockKeyStates states{false, false, false};
        SetLockKeyReader([&]() -> std::optional<LockKeyStates> {
            if (!known)
                return std::nullopt;
            return states;
        });
        auto restore = qScopeGuard([] { SetLockKeyReader({}); });
        Start();
        states = {caps, num, scroll};
        QTest::keyClick(Frame()->View(), Qt::Key_CapsLock);
        const auto pane = [this](const char* name) {
            return Frame()->statusBar()->findChild<QLabel*>(name)->text();
        };
        QCOMPARE(pane("CAP"), known && caps ? "CAP" : "");
        QCOMPARE(pane("NUM"), known && num ? "NUM" : "");
        QCOMPARE(pane("SCRL"), known && scroll ? "SCRL" : "");
    }

    // The toolbar's drop-down adds and removes its buttons, remembered in the workspace,
    // and resets them; "Customize..." is not offered while it does nothing.
    void toolbarButtonsCanBeRemoved() {
        Start();
        const auto tools = [this] {
            QStringList texts;
            for (QAction* action : Frame()->ToolBar()->actions())
                texts << (action->isSeparator() ? "-" : action->toolTip());
            texts.removeLast(); // the drop-down
            return texts;
        };
        const auto item = [this](const QString& text) -> QAction* {
            auto* dropDown = Frame()->ToolBar()->findChild<QToolButton*>("CustomizeDropDown");
            const QList<QAction*> entries = dropDown->menu()->actions();
            if (entries.size() != 1)
                return nullptr;
            for (QAction* action : entries.first()->menu()->actions()) {
                if (action->text() == text)
                    return action;
            }
            return nullptr;
        };
        QVERIFY(item("Delete Signal") && item("Delete Signal")->isChecked());
        item("Delete Signal")->trigger();
        QTRY_COMPARE(tools(), (QStringList{"New", "Open", "Save", "-", "New Signal", "-", "Help"}));
        QVERIFY(!item("Delete Signal")->isChecked());
        item("New Signal")->trigger();
        QTRY_COMPARE(tools(), (QStringList{"New", "Open", "Save", "-", "Help"}));
        QCOMPARE(ReadSetting(Settings::HiddenToolbarButtons),
                 (QStringList{QString::number(ID_SIGNAL_DELETE), QString::number(ID_SIGNAL_NEW)}));
        item("&Reset Toolbar")->trigger();
        QTRY_COMPARE(tools(), (QStringList{"New", "Open", "Save", "-", "New Signal",
                                           "Delete Signal", "-", "Help"}));
    }

    void filterMenuMarks() {
        Start({Copy("mixed.xml")});
        Trigger(ID_FILTER_OFDM);
        for (std::uint32_t id = ID_FILTER_ALL; id <= ID_FILTER_PSK_MULTICARRIER; ++id) {
            QCOMPARE(Action(id)->isChecked(), id == ID_FILTER_OFDM);
            // An exclusive group: the menu draws radio marks, not check boxes.
            QVERIFY(Action(id)->actionGroup() && Action(id)->actionGroup()->isExclusive());
        }
        QCOMPARE(Frame()->View()->RowModel()->rowCount(), 1);
    }

    // A look id without a look of its own takes the Office 2007 look last chosen.
    void unknownLookFallsBack() {
        Start();
        Frame()->OnSelectLook(ID_LOOK_OFFICE_2007_SILVER);
        const QColor silver = QApplication::palette().color(QPalette::Window);
        Frame()->OnSelectLook(DefaultLook);
        QVERIFY(QApplication::palette().color(QPalette::Window) != silver);
        WriteSetting(Settings::Look, 999);
        m_app.reset();
        Start();
        QCOMPARE(QApplication::palette().color(QPalette::Window), silver);
    }

    void helpAboutCustomize() {
        Start();
        // Without a help file the user guide opens in its own window.
        QVERIFY(!QFile::exists(Frame()->HelpFilePath()));
        Trigger(ID_HELP);
        QVERIFY(CPrompts::OpenedUrls().isEmpty());
        QVERIFY(Frame()->HelpWindow() && Frame()->HelpWindow()->isVisible());
        CHelpWindow* window = Frame()->HelpWindow();
        const QString guide = window->Browser()->toPlainText();
        // The guide has the focus and a caret the arrow keys move.
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), window->Browser());
        const int caret = window->Browser()->textCursor().position();
        QTest::keyClick(window->Browser(), Qt::Key_Down);
        QVERIFY(window->Browser()->textCursor().position() > caret);
        for (const char* topic :
             {"Sorting and filtering", "Ctrl+Shift+Z", "wildcard", "Merging", "quarn-tool check"})
            QVERIFY2(guide.contains(topic), topic);
        // The guide's headings are its contents; Find finds; Esc and Ctrl+W close.
        QVERIFY(!window->Contents()->findItems("Merging", Qt::MatchContains).isEmpty());
        // Back and Forward return through the places the contents jumped from.
        const int top = window->Place();
        window->Contents()->setCurrentRow(window->Contents()->count() - 1);
        const int last = window->Place();
        QVERIFY(last > top);
        QVERIFY(window->BackAction()->isEnabled() && !window->ForwardAction()->isEnabled());
        window->BackAction()->trigger();
        QCOMPARE(window->Place(), top);
        window->ForwardAction()->trigger();
        QCOMPARE(window->Place(), last);
        QVERIFY(window->FindNext(QStringLiteral("wildcard")));
        QCOMPARE(window->Browser()->textCursor().selectedText(), QStringLiteral("wildcard"));
        QVERIFY(!window->FindNext(QStringLiteral("no such words here")));
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window->Browser(), key.key(), key.keyboardModifiers());
            QVERIFY(!window->isVisible());
        }
        // With the help file beside the program, the desktop opens it at the topic.
        QFile help(Frame()->HelpFilePath());
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        auto remove = qScopeGuard([&help] { help.remove(); });
        Trigger(ID_HELP);
        QCOMPARE(CPrompts::OpenedUrls().size(), 1);
        QCOMPARE(CPrompts::OpenedUrls()[0].fileName(), QStringLiteral("korvel-decoder.chm"));
        QCOMPARE(CPrompts::OpenedUrls()[0].fragment(), QStringLiteral("6165"));
        // A help file nothing can open: the built-in guide after all.
        Frame()->HelpWindow()->hide();
        CPrompts::SetUrlsOpen(false);
        Trigger(ID_HELP);
        QCOMPARE(CPrompts::OpenedUrls().size(), 2);
        QVERIFY(Frame()->HelpWindow()->isVisible());
        CPrompts::SetUrlsOpen(true);
        QMenu* panes = Frame()->createPopupMenu();
        QStringList texts = MenuTexts(panes);
        QCOMPARE(texts, (QStringList{"Standard", "&Status Bar", "&Details\tF4", "Pr&oblems"}));
        delete panes;
        Trigger(ID_VIEW_STATUS_BAR);
        QVERIFY(Frame()->statusBar()->isHidden());
        // About names the licence, the homepage and the libraries, and offers About Qt.
        CAboutDlg about(Frame());
        const QString details = about.findChild<QLabel*>("details")->text();
        for (const QString& part : {QStringLiteral("GPL-3.0-or-later"), QStringLiteral("https://"),
                                    QStringLiteral("Qt ") + qVersion(), QStringLiteral("expat ")})
            QVERIFY2(details.contains(part), qPrintable(part));
        bool aboutQt = false;
        for (QPushButton* button : about.findChildren<QPushButton*>())
            aboutQt |= button->text() == "About &Qt";
        QVERIFY(aboutQt);
    }
};

int main(int argc, char** argv) {
    return RunEditorTest<TestWindow>(argc, argv);
}

#include "tst_window.moc"
