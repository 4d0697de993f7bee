// What a screen reader finds: every focusable control named (and named once among its
// siblings), a row's state in words, notices raised as alerts; keys the user chooses.
#include "Announcer.h"
#include "CommandKeys.h"
#include "EditorTest.h"
#include "HelpWindow.h"
#include "MessageBar.h"
#include "MulticarrierDialog.h"
#include "ShortcutsDialog.h"
#include "SignalEditDialog.h"
#include "SignalEditDialogChild.h"
#include "SpacingDialog.h"
#include "Translations.h"

#include <QAccessible>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

// The faults of the accessible tree under iface: a focusable control without a name, a name
// holding a tab, a name two focusable siblings share. Item view cells are the list's data,
// not controls: they are left to the row test.
void Walk(QAccessibleInterface* iface, const QString& path, QStringList& faults) {
    QMap<QString, int> names;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (child == nullptr || !qobject_cast<QWidget*>(child->object()))
            continue;
        const QAccessible::State state = child->state();
        if (state.invisible)
            continue;
        const QString name = child->text(QAccessible::Name);
        const QString where =
            path + " > " + child->object()->metaObject()->className() + " \"" + name + "\"";
        if (state.focusable) {
            if (name.trimmed().isEmpty())
                faults << where + ": no name";
            if (name.contains(u'\t'))
                faults << where + ": a tab in the name";
            if (++names[name] == 2)
                faults << where + ": the name twice";
        }
        Walk(child, where, faults);
    }
}

QStringList Faults(QWidget* window) {
    QStringList faults;
    Walk(QAccessible::queryAccessibleInterface(window), window->metaObject()->className(), faults);
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisibleTo(window) && !label->wordWrap() &&
            (label->width() < label->sizeHint().width() ||
             label->height() < label->sizeHint().height()))
            faults << QStringLiteral("label \"%1\" cut").arg(label->text());
    }
    return faults;
}

} // namespace

namespace {

// Whether Qt's accessibility bridge carries events here (on a display with the AT-SPI bus,
// tests/atspi/bridge.sh; not offscreen). The bridge comes up once the bus answers.
bool BridgeActive() {
    QAccessible::setActive(true);
    return QGuiApplication::platformName() != QLatin1String("offscreen") &&
           QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000);
}

} // namespace

class TestAccessibility : public CEditorTest {
    Q_OBJECT
private slots:
    void mainWindowAndHelp() {
        Start({Copy("mixed.xml")});
        Frame()->show();
        Frame()->MessageBar()->Show(QStringLiteral("A notice"));
        Trigger(ID_EDIT_FIND);
        QStringList faults = Faults(Frame());
        Trigger(ID_HELP);
        QVERIFY(Frame()->HelpWindow() != nullptr);
        faults << Faults(Frame()->HelpWindow());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        // Toolbar buttons are named by their command, without the key.
        QStringList buttons;
        for (QAction* action : Frame()->findChild<QToolBar*>(QStringLiteral("Standard"))->actions())
            if (QWidget* button = Frame()
                                      ->findChild<QToolBar*>(QStringLiteral("Standard"))
                                      ->widgetForAction(action);
                button && !action->isSeparator() && action->data().toUInt() != 0)
                buttons << button->accessibleName();
        QCOMPARE(buttons.mid(0, 3), (QStringList{"New", "Open", "Save"}));
    }

    // The edit dialog on each family's page, the carrier list, the spacing dialog and the
    // shortcuts dialog, in English and in German: named, and no label cut at the dialog's size.
    void dialogs_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale::c();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }
    void dialogs() {
        QFETCH(QLocale, locale);
        InstallTranslations(*qApp, locale);
        auto english = qScopeGuard([] { InstallTranslations(*qApp, QLocale::c()); });
        Start({Copy("mixed.xml")});
        QStringList faults;
        int pages = 0;
        CPrompts::PushDialogHandler([&faults, &pages](QDialog& dialog) {
            for (auto* family : dialog.findChildren<QRadioButton*>()) {
                if (family->parentWidget()->objectName() == QLatin1String("familyGroup")) {
                    // As a screen reader chooses: the radio button's toggle action.
                    QAccessible::queryAccessibleInterface(family)->actionInterface()->doAction(
                        QAccessibleActionInterface::toggleAction());
                    // The family's own page shows (FSK, MFSK, PSK, OFDM), none for CW.
                    const auto shownPages = dialog.findChildren<CSignalEditDialogChild*>();
                    QString shown;
                    for (qsizetype i = 0; i < shownPages.size(); ++i)
                        shown += shownPages[i]->isVisibleTo(&dialog) ? QString::number(i) : "";
                    if (shown != (pages < 4 ? QString::number(pages) : QString()))
                        faults << family->text() + ": page " + shown + " shown";
                    faults << Faults(&dialog);
                    ++pages;
                }
            }
            return int(QDialog::Rejected);
        });
        Frame()->View()->setFocus();
        Frame()->View()->selectRow(0);
        Trigger(ID_SIGNAL_EDIT);
        QCOMPARE(pages, 5);
        char16_t spacing[200] = u"170,340,170";
        CMulticarrierDialog carriers(4, spacing);
        carriers.show();
        faults << Faults(&carriers);
        // Toggling the common spacing's button as a screen reader does disables the list.
        QAccessible::queryAccessibleInterface(carriers.findChildren<QRadioButton*>().first())
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!carriers.findChild<QTableWidget*>()->isEnabled());
        CSpacingDialog one;
        one.show();
        faults << Faults(&one);
        CShortcutsDialog keys;
        keys.show();
        faults << Faults(&keys);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // What the colours and the sign show is said in words; a notice is an alert.
    void rowStateAndAlerts() {
        Start({Copy("mixed.xml")});
        const QAbstractItemModel* rows = Frame()->View()->model();
        QStringList states;
        for (int row = 0; row < rows->rowCount(); ++row)
            states << rows->index(row, 0).data(Qt::AccessibleDescriptionRole).toString();
        QVERIFY2(states.contains(QStringLiteral("disabled")), qPrintable(states.join(u'|')));
        // The message bar is an alert, its newest notice its description.
        Frame()->MessageBar()->Show(QStringLiteral("Content will not be saved"));
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Frame()->MessageBar());
        QCOMPARE(bar->role(), QAccessible::AlertMessage);
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Notices"));
        QCOMPARE(bar->text(QAccessible::Description), QStringLiteral("Content will not be saved"));
        // Closed from its button, the bar gives the focus back to the list (not to the next
        // control in the chain, a toolbar button).
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        auto* close = Frame()->MessageBar()->findChild<QToolButton*>("messageBarClose");
        QVERIFY(close);
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Space);
        QVERIFY(!Frame()->MessageBar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), Frame()->View());
        static QStringList alerts;
        alerts.clear();
        if (!BridgeActive())
            QSKIP("this platform plugin has no accessibility bridge to carry alerts");
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::Alert)
                alerts << event->accessibleInterface()->text(QAccessible::Description);
        });
        auto restore = qScopeGuard([] {
            QAccessible::installUpdateHandler(nullptr);
            QAccessible::setActive(false);
        });
        Frame()->MessageBar()->Show(QStringLiteral("The file changed"));
        QCOMPARE(alerts, QStringList{"The file changed"});
        // A notice that came just before the focus came back from another window (a dialog
        // closing) is cut off by what the reader says of the window: it is said again.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        Frame()->MessageBar()->Show(QStringLiteral("1 comment outside signals"));
        const auto* again = Frame()->MessageBar()->findChild<CAnnouncer*>();
        QVERIFY(again);
        QVERIFY(again->Said().isEmpty());
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        QTRY_COMPARE(again->Said(), QStringLiteral("1 comment outside signals"));
    }

    // Tab leaves a table for the next control, Shift+Tab for the one before: the arrows move
    // within it (a table that took Tab would trap the keyboard).
    void tabLeavesTables_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("back");
        for (const char* table : {"signals", "shortcuts"}) {
            QTest::newRow(qPrintable(QString(table) + " Tab")) << table << false;
            QTest::newRow(qPrintable(QString(table) + " Shift+Tab")) << table << true;
        }
    }
    void tabLeavesTables() {
        QFETCH(QString, table);
        QFETCH(bool, back);
        CVantorView* view = StartFocused();
        QVERIFY(view);
        CShortcutsDialog keys;
        QWidget* focused = view;
        if (table == "shortcuts") {
            keys.show();
            keys.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&keys));
            focused = keys.findChild<QTableWidget*>();
            focused->setFocus();
        }
        QAbstractItemView* list = qobject_cast<QAbstractItemView*>(focused);
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(focused, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY(QApplication::focusWidget() != focused);
        // Coming back, a screen reader is told the current cell, not only the table.
        static QStringList told;
        told.clear();
        if (!BridgeActive())
            QSKIP("this platform plugin has no accessibility bridge to carry focus events");
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::Focus && event->child() >= 0)
                told << event->accessibleInterface()->text(QAccessible::Name);
        });
        auto restore = qScopeGuard([] {
            QAccessible::installUpdateHandler(nullptr);
            QAccessible::setActive(false);
        });
        // (The focus is given back as the keys would: the key field beside the shortcuts
        // table takes Shift+Tab as a key.)
        focused->setFocus(back ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        QCOMPARE(QApplication::focusWidget(), focused);
        QTRY_VERIFY(told.contains(list->currentIndex().data().toString()));
    }

    // A key chosen for a command works at once and after a restart; a key another command
    // holds is refused; Reset All gives the table's keys back.
    void chosenKeys() {
        Start({Copy("mixed.xml")});
        const QKeySequence copyKey(Qt::CTRL | Qt::Key_C);
        CShortcutsDialog keys;
        // The key field takes every key, Tab and Esc too: once a key is captured, the focus
        // goes on to Assign, from where the keyboard leaves.
        keys.show();
        keys.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&keys));
        auto* field = keys.findChild<QKeySequenceEdit*>();
        field->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9, Qt::ControlModifier);
        const auto focusedText = [] {
            const auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
            return button != nullptr ? button->text() : QString();
        };
        QTRY_COMPARE(focusedText(), CShortcutsDialog::tr("&Assign"));
        QVERIFY(keys.Said().startsWith(QStringLiteral("Ctrl+F9")));
        field->clear();
        const int copy = keys.RowOf(ID_EDIT_COPY);
        QVERIFY(copy >= 0);
        QVERIFY(!keys.Assign(copy, copyKey)); // Close holds it
        QVERIFY2(CPrompts::ShownMessages().last().text.contains(u"\u201CFile > Close\u201D"),
                 qPrintable(CPrompts::ShownMessages().last().text));
        // Close gives its keys up; Copy takes Ctrl+C.
        keys.findChild<QTableWidget*>()->setCurrentCell(keys.RowOf(ID_FILE_CLOSE_DATABASE), 0);
        for (QPushButton* button : keys.findChildren<QPushButton*>()) {
            if (button->text() == CShortcutsDialog::tr("C&lear Keys"))
                button->click();
        }
        QVERIFY(keys.Keys(ID_FILE_CLOSE_DATABASE).isEmpty());
        QVERIFY(keys.Assign(copy, copyKey));
        // What Assign did is said below the key.
        QCOMPARE(keys.Said(),
                 QString::fromUtf16(u"Ctrl+C is now a key of \u201CEdit > Copy\u201D"));
        keys.accept();
        QVERIFY(Action(ID_EDIT_COPY)->shortcuts().contains(copyKey));
        QVERIFY(Action(ID_EDIT_COPY)->text().endsWith(u"\tCtrl+Ins"));
        cleanup();
        Start({Copy("mixed.xml")});
        QVERIFY(Action(ID_EDIT_COPY)->shortcuts().contains(copyKey));
        QVERIFY(Action(ID_FILE_CLOSE_DATABASE)->shortcuts().isEmpty());
        QCOMPARE(Action(ID_FILE_CLOSE_DATABASE)->text(), QStringLiteral("&Close..."));
        ResetCommandKeys();
        QCOMPARE(Action(ID_EDIT_COPY)->shortcuts(), DefaultCommandKeys(ID_EDIT_COPY));
        QVERIFY(Action(ID_EDIT_COPY)->text().endsWith(u"\tCtrl+Ins"));
    }
};

int main(int argc, char** argv) {
    return RunEditorTest<TestAccessibility>(argc, argv);
}
#include "tst_accessibility.moc"
