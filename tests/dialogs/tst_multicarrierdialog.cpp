#include "MulticarrierDialog.h"
#include "Prompts.h"
#include "SignalText.h"
#include "SpacingDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace {

QStringList Cells(const CMulticarrierDialog& dialog, int column) {
    QStringList cells;
    for (int i = 0; i < dialog.List()->rowCount(); ++i)
        cells << dialog.List()->item(i, column)->text();
    return cells;
}

} // namespace

class TestMulticarrierDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CPrompts::SetTesting(true); }

    void wildcardOpensInSameMode() {
        char16_t spacing[200] = u"*";
        CMulticarrierDialog dialog(4, spacing);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Multicarrier Signal"));
        QVERIFY(dialog.SameButton()->isChecked());
        QCOMPARE(dialog.CommonEdit()->text(), QStringLiteral("*"));
        QVERIFY(dialog.CommonEdit()->isEnabled());
        QVERIFY(!dialog.List()->isEnabled());
        QCOMPARE(Cells(dialog, 0), (QStringList{"Carriers 1-2", "Carriers 2-3", "Carriers 3-4"}));
        QCOMPARE(Cells(dialog, 1), (QStringList{"*", "*", "*"}));
    }

    void switchToMultipleJoinsCells() {
        char16_t spacing[200] = u"*";
        {
            CMulticarrierDialog dialog(4, spacing);
            dialog.MultipleButton()->click();
            QVERIFY(dialog.List()->isEnabled());
            QVERIFY(!dialog.CommonEdit()->isEnabled());
            dialog.accept();
        }
        QCOMPARE(QString::fromUtf16(spacing), QStringLiteral("*,*,*"));
        CMulticarrierDialog again(4, spacing);
        QVERIFY(again.MultipleButton()->isChecked());
        QCOMPARE(Cells(again, 1), (QStringList{"0", "0", "0"}));
    }

    // Editing one row of a list changes that row only: the other values keep their stored
    // text (signs, leading points, digits, values beyond the carriers).
    void oneRowEditedChangesOneRow_data() {
        QTest::addColumn<int>("carriers");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("middle row") << 5 << "170.123456,340,-170,.5" << 1 << "999"
                                    << "170.123456,999,-170,.5";
        QTest::newRow("a row shown without its sign") << 5 << "170.123456,340,-170,.5" << 2 << "250"
                                                      << "170.123456,340,250,.5";
        QTest::newRow("values beyond the carriers stay") << 3 << "1, 2, 3, 4" << 0 << "9"
                                                         << "9, 2, 3, 4";
        QTest::newRow("a missing value") << 3 << "1," << 1 << "7"
                                         << "1,7";
        QTest::newRow("a gap before the edited pair") << 5 << "170,340" << 3 << "500"
                                                      << "170,340,0,500";
        QTest::newRow("no gap: the next pair") << 5 << "170,340" << 2 << "500"
                                               << "170,340,500";
        QTest::newRow("a gap before and after") << 6 << "170," << 2 << "9"
                                                << "170,0,9";
        QTest::newRow("spaces between values") << 5 << "170 340" << 3 << "500"
                                               << "170 340 0 500";
    }
    void oneRowEditedChangesOneRow() {
        QFETCH(int, carriers);
        QFETCH(QString, stored);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        char16_t spacing[200] = {};
        CopyText(spacing, stored.toStdU16String());
        CMulticarrierDialog dialog(carriers, spacing);
        QVERIFY(dialog.MultipleButton()->isChecked());
        dialog.List()->item(row, 1)->setText(typed);
        dialog.accept();
        QCOMPARE(QStringView(spacing).toString(), expected);
    }

    // A list holds at most 100 carriers: more are refused before any row is made, while the
    // same spacing for all works for any count.
    void carrierCountsHaveACeiling() {
        char16_t spacing[200] = u"*";
        CMulticarrierDialog dialog(2147483647, spacing);
        QVERIFY(dialog.SameButton()->isChecked());
        QVERIFY(dialog.List()->rowCount() <= 100);
        CPrompts::ShownMessages().clear();
        dialog.MultipleButton()->click();
        QVERIFY(dialog.SameButton()->isChecked());
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(CPrompts::ShownMessages()[0].text.startsWith(
            "A list of spacings holds at most 100 carriers; this signal has 2147483647."));
        dialog.CommonEdit()->setText("250");
        dialog.accept();
        QCOMPARE(QStringView(spacing).toString(), QStringLiteral("250"));
    }

    // Home and End, with Ctrl too, go to the first and last carrier pair in the current
    // column; Tab leaves the list for the next control.
    void homeEndAndTabInTheCarrierList_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("row");
        QTest::newRow("Home") << int(Qt::Key_Home) << int(Qt::NoModifier) << 0;
        QTest::newRow("End") << int(Qt::Key_End) << int(Qt::NoModifier) << 3;
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 0;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << 3;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << -1;
    }
    void homeEndAndTabInTheCarrierList() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, row);
        char16_t spacing[200] = u"100,200,300,400";
        CMulticarrierDialog dialog(5, spacing);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.List()->setFocus();
        dialog.List()->setCurrentCell(1, 1);
        QTest::keyClick(dialog.List(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (row < 0) {
            QVERIFY(QApplication::focusWidget() != dialog.List());
            return;
        }
        QCOMPARE(QApplication::focusWidget(), dialog.List());
        QCOMPARE(dialog.List()->currentRow(), row);
        QCOMPARE(dialog.List()->currentColumn(), 1);
    }

    // F2 and Enter open the current row; Enter with no current row presses OK.
    void keysOpenTheCurrentRow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("withRow");
        QTest::newRow("F2") << int(Qt::Key_F2) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Enter without row") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    }
    void keysOpenTheCurrentRow() {
        QFETCH(int, key);
        QFETCH(bool, withRow);
        char16_t spacing[200] = u"100,200,300";
        CMulticarrierDialog dialog(4, spacing);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.List()->setFocus();
        if (withRow)
            dialog.List()->setCurrentCell(1, 0);
        else
            dialog.List()->setCurrentItem(nullptr);
        QString title;
        CPrompts::PushDialogHandler([&title](QDialog& d) {
            auto& single = static_cast<CSpacingDialog&>(d);
            title = single.windowTitle();
            QTest::keyClicks(single.findChild<QLineEdit*>(), "250");
            single.accept();
            return single.result();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(title, withRow ? QStringLiteral("Carriers 2-3") : QString());
        QCOMPARE(dialog.result(), withRow ? int(QDialog::Rejected) : int(QDialog::Accepted));
        // Typing into the spacing dialog replaced its value.
        QCOMPARE(Cells(dialog, 1),
                 withRow ? (QStringList{"100", "250", "300"}) : (QStringList{"100", "200", "300"}));
        CPrompts::Reset();
    }

    void okKeepsWhatWasNotTouched_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("editedRow"); // -1: OK without any change
        QTest::addColumn<QString>("expected");
        QTest::newRow("list with a space") << "100, 200" << -1 << "100, 200";
        QTest::newRow("digits beyond six") << "100.12345,2" << -1 << "100.12345,2";
        QTest::newRow("exponent form") << "1.5e+006,2" << -1 << "1.5e+006,2";
        QTest::newRow("one value as typed") << "170.000" << -1 << "170.000";
        QTest::newRow("edited row, exponent kept whole") << "1.5e+006,2" << 1 << "1.5e+006,5";
    }
    void okKeepsWhatWasNotTouched() {
        QFETCH(QString, stored);
        QFETCH(int, editedRow);
        QFETCH(QString, expected);
        char16_t spacing[200] = {};
        CopyText(spacing, stored.toStdU16String());
        CMulticarrierDialog dialog(3, spacing);
        if (editedRow >= 0) {
            CPrompts::PushDialogHandler([](QDialog& d) {
                static_cast<CSpacingDialog&>(d).SpacingEdit()->setText(QStringLiteral("5"));
                d.accept();
                return d.result();
            });
            dialog.OnSpacingListDblClk(dialog.List()->item(editedRow, 1));
        }
        dialog.accept();
        QCOMPARE(QString::fromUtf16(spacing), expected);
    }

    void emptyBecomesWildcardEvenOnCancel() {
        char16_t spacing[200] = u"";
        {
            CMulticarrierDialog dialog(3, spacing);
            dialog.reject();
        }
        QCOMPARE(QString::fromUtf16(spacing), QStringLiteral("*"));
    }

    void sameModeStoresEditText() {
        char16_t spacing[200] = u"170,340";
        CMulticarrierDialog dialog(4, spacing);
        QCOMPARE(Cells(dialog, 1), (QStringList{"170", "340", "0"}));
        dialog.SameButton()->click();
        dialog.CommonEdit()->setText(QStringLiteral("5,6"));
        dialog.accept();
        QCOMPARE(QString::fromUtf16(spacing), QStringLiteral("5,6"));
    }

    void rowDoubleClickEditsOneCell() {
        char16_t spacing[200] = u"170,340";
        CMulticarrierDialog dialog(3, spacing);
        QString caption, shown;
        CPrompts::PushDialogHandler([&](QDialog& d) {
            auto& spacingDialog = static_cast<CSpacingDialog&>(d);
            caption = spacingDialog.windowTitle();
            shown = spacingDialog.SpacingEdit()->text();
            spacingDialog.SpacingEdit()->setText(QStringLiteral("200"));
            spacingDialog.accept();
            return spacingDialog.result();
        });
        dialog.OnSpacingListDblClk(dialog.List()->item(0, 1));
        QCOMPARE(caption, QStringLiteral("Carriers 1-2"));
        QCOMPARE(shown, QStringLiteral("170"));
        QCOMPARE(Cells(dialog, 1), (QStringList{"200", "340"}));
        CPrompts::PushDialogHandler([](QDialog& d) {
            static_cast<CSpacingDialog&>(d).SpacingEdit()->setText(QStringLiteral("999"));
            d.reject();
            return d.result();
        });
        dialog.OnSpacingListDblClk(dialog.List()->item(1, 1));
        QCOMPARE(Cells(dialog, 1), (QStringList{"200", "340"}));
        dialog.OnSpacingListDblClk(nullptr); // no row: nothing happens
        dialog.accept();
        QCOMPARE(QString::fromUtf16(spacing), QStringLiteral("200,340"));
    }

    void overlongListIsRefusedNotCut() {
        char16_t spacing[200] = u"1,1";
        CMulticarrierDialog dialog(40, spacing);
        for (int i = 0; i < dialog.List()->rowCount(); ++i)
            dialog.List()->item(i, 1)->setText(QStringLiteral("1234.56"));
        CPrompts::ShownMessages().clear();
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible()); // stays open
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QVERIFY(CPrompts::ShownMessages()[0].text.contains("199"));
        QCOMPARE(QString::fromUtf16(spacing), QStringLiteral("1,1"));
        // 24 pairs of 7 characters fit exactly (24 * 8 - 1 = 191).
        CMulticarrierDialog fits(25, spacing);
        for (int i = 0; i < fits.List()->rowCount(); ++i)
            fits.List()->item(i, 1)->setText(QStringLiteral("1234.56"));
        fits.accept();
        QCOMPARE(QString::fromUtf16(spacing).size(), 191);
    }
};

QTEST_MAIN(TestMulticarrierDialog)
#include "tst_multicarrierdialog.moc"
