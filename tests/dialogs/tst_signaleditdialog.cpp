#include "ControlIds.h"
#include "MulticarrierDialog.h"
#include "Prompts.h"
#include "RandomSignals.h"
#include "SignalEditDialog.h"
#include "SignalText.h"
#include "SpacingDialog.h"
#include "SpacingText.h"
#include "StorableText.h"
#include "TestTexts.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

CSignalDescription Record(int family) {
    CSignalDescription s;
    CopyText(s.m_szName, u"Sample");
    s.m_nModulation = family;
    s.m_dBaudrate = 50;
    s.m_dShift = 170;
    s.m_dBandwidth = -1;
    s.m_nNumTones = 16;
    s.m_nNumTonesMin = 8;
    s.m_nNumChannels = 4;
    s.m_nNumChannelsMin = 2;
    s.m_dPilotFrequency = 1800;
    CopyText(s.m_szSpacing, u"170,340,170");
    return s;
}

} // namespace

class TestSignalEditDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CPrompts::SetTesting(true); }
    void init() { CPrompts::ShownMessages().clear(); }

    void newRecordOpensEmpty() {
        CSignalDescription s;
        CSignalEditDialog dialog(&s);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Signal Parameters Editor"));
        QCOMPARE(dialog.GetCheckedModulation(), 0);
        for (int family = 1; family <= 4; ++family)
            QVERIFY(dialog.Page(family).isHidden());
        QCOMPARE(dialog.ModulationCombo()->count(), 1);
        QCOMPARE(dialog.ModulationCombo()->currentText(), QString());
        QVERIFY(!dialog.ModulationCombo()->isEnabled());
        QCOMPARE(dialog.DecoderCombo()->count(), 234);
        QCOMPARE(dialog.DecoderCombo()->currentText(), QStringLiteral("no-mode"));
        QCOMPARE(dialog.DecoderCombo()->itemText(19), QStringLiteral("arq6-98"));
        QVERIFY(!dialog.CodecheckEdit()->isEnabled());

        dialog.NameEdit()->setText(QStringLiteral("x"));
        dialog.accept();
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages()[0].caption, QStringLiteral("Data Error"));
        QCOMPARE(CPrompts::ShownMessages()[0].text, QStringLiteral("No modulation selected"));
        QCOMPARE(CPrompts::ShownMessages()[0].icon, QMessageBox::Warning);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(s.IsInvalid());
        QCOMPARE(Q(s.m_szName), QString());
    }

    void fillsEveryPage() {
        CSignalDescription s = Record(ModulationFsk);
        s.m_nSubmode = 1;
        s.m_nMode = 27;
        s.m_nCodecheckCounter = 4;
        s.m_bDisabled = true;
        CopyText(s.m_szITU, u"170HF1B");
        CopyText(s.m_szComment, u"two\nlines");
        CSignalEditDialog dialog(&s);
        QVERIFY(dialog.FamilyButton(1)->isChecked());
        QVERIFY(!dialog.Page(ModulationFsk).isHidden());
        QCOMPARE(dialog.ModulationCombo()->currentText(), QStringLiteral("4-Level-FSK"));
        QVERIFY(dialog.ModulationCombo()->isEnabled());
        QCOMPARE(dialog.CodecheckEdit()->text(), QStringLiteral("4"));
        QVERIFY(dialog.CodecheckEdit()->isEnabled());
        QVERIFY(dialog.DisabledCheck()->isChecked());
        QCOMPARE(dialog.ITUEdit()->text(), QStringLiteral("170HF1B"));
        QCOMPARE(dialog.CommentEdit()->toPlainText(), QStringLiteral("two\nlines"));
        auto& fsk = dialog.Page(ModulationFsk);
        QCOMPARE(fsk.Text(IDC_BAUDRATE), QStringLiteral("50"));
        QCOMPARE(fsk.Text(IDC_BANDWIDTH), QStringLiteral("*"));
        QCOMPARE(fsk.Text(IDC_NUM_CHANNELS), QStringLiteral("4"));
        QCOMPARE(fsk.Text(IDC_PILOT_FREQUENCY), QStringLiteral("1800"));
        auto& mfsk = dialog.Page(ModulationMfsk);
        QCOMPARE(mfsk.Text(IDC_TONE_DURATION), QStringLiteral("20"));
        QCOMPARE(mfsk.Text(IDC_SPACING), QStringLiteral("170"));
        QCOMPARE(mfsk.Text(IDC_NUM_TONES), QStringLiteral("16"));
        QCOMPARE(dialog.Page(ModulationPsk).Text(IDC_SYMBOL_RATE), QStringLiteral("50"));
        QCOMPARE(dialog.Page(ModulationOfdm).Text(IDC_SPACING), QString()); // a list
        QCOMPARE(Q(dialog.PendingSpacing()), QStringLiteral("170,340,170"));
    }

    void familySwitchKeepsPages() {
        CSignalDescription s = Record(ModulationFsk);
        s.m_nSubmode = 1;
        CSignalEditDialog dialog(&s);
        dialog.Page(ModulationFsk).SetText(IDC_SHIFT, QStringLiteral("425"));
        dialog.FamilyButton(ModulationPsk)->click();
        QVERIFY(dialog.Page(ModulationFsk).isHidden());
        QVERIFY(!dialog.Page(ModulationPsk).isHidden());
        QCOMPARE(dialog.ModulationCombo()->count(), 5);
        dialog.FamilyButton(ModulationFsk)->click();
        QCOMPARE(dialog.ModulationCombo()->currentText(), QStringLiteral("FSK"));
        QCOMPARE(dialog.Page(ModulationFsk).Text(IDC_SHIFT), QStringLiteral("425"));
        dialog.FamilyButton(ModulationMfsk)->click();
        QVERIFY(!dialog.ModulationCombo()->isEnabled());
        QCOMPARE(dialog.ModulationCombo()->currentText(), QStringLiteral("MFSK"));
        dialog.FamilyButton(ModulationCw)->click();
        for (int family = 1; family <= 4; ++family)
            QVERIFY(dialog.Page(family).isHidden());
    }

    void decoderEnablesCodecheck() {
        CSignalDescription s;
        CSignalEditDialog dialog(&s);
        dialog.DecoderCombo()->setCurrentIndex(27);
        QVERIFY(dialog.CodecheckEdit()->isEnabled());
        dialog.DecoderCombo()->setCurrentIndex(0);
        QVERIFY(!dialog.CodecheckEdit()->isEnabled());
    }

    void okBuildsFromControls_data() {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        // "*" typed in any field the list can show as "*" means any value (-1).
        QTest::newRow("MFSK tones wildcard") << 2 << "tones"
                                             << "*" << -1.0;
        QTest::newRow("MFSK spacing wildcard") << 2 << "shift"
                                               << "*" << -1.0;
        QTest::newRow("MFSK bandwidth wildcard") << 2 << "bandwidth"
                                                 << "*" << -1.0;
        QTest::newRow("FSK bandwidth wildcard") << 1 << "bandwidth"
                                                << "*" << -1.0;
        QTest::newRow("FSK channels wildcard") << 1 << "channels"
                                               << "*" << -1.0;
        QTest::newRow("PSK pilot wildcard") << 3 << "pilot"
                                            << " * " << -1.0;
        QTest::newRow("OFDM channels wildcard") << 4 << "channels"
                                                << "*" << -1.0;
        QTest::newRow("OFDM channels 39") << 4 << "channels"
                                          << "39" << 39.0;
    }
    void okBuildsFromControls() {
        QFETCH(int, family);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        CSignalDescription s = Record(family);
        s.m_dBandwidth = 700; // so that "*" is typed over a shown value
        CSignalEditDialog dialog(&s);
        auto& page = dialog.Page(family);
        const int id = field == "tones"       ? IDC_NUM_TONES
                       : field == "shift"     ? IDC_SPACING
                       : field == "bandwidth" ? IDC_BANDWIDTH
                       : field == "channels"  ? IDC_NUM_CHANNELS
                                              : IDC_PILOT_FREQUENCY;
        page.SetText(id, typed);
        CSignalDescription built;
        dialog.BuildRecord(built);
        const double value = field == "tones"       ? built.m_nNumTones
                             : field == "shift"     ? built.m_dShift
                             : field == "bandwidth" ? built.m_dBandwidth
                             : field == "channels"  ? built.m_nNumChannels
                                                    : built.m_dPilotFrequency;
        QCOMPARE(value, stored);
        QCOMPARE(built.m_nModulation, family);
        QVERIFY(built.IsInvalid());
    }

    void okAssignsValidatedRecord() {
        CSignalDescription s = Record(ModulationCw);
        s.SetMerged(true);
        s.m_nCodecheckCounter = 0;
        CSignalEditDialog dialog(&s);
        dialog.DecoderCombo()->setCurrentIndex(49);
        dialog.accept(); // counter 0 with a decoder
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 QStringLiteral("Codecheck count must be positive"));
        QCOMPARE(s.m_nMode, 0);
        dialog.CodecheckEdit()->setText(QStringLiteral("3"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(s.m_nMode, 49);
        QCOMPARE(s.m_nCodecheckCounter, 3);
        QVERIFY(!s.IsInvalid());
        QVERIFY(s.IsMerged());
        // CW keeps only the common fields.
        QCOMPARE(s.m_dBaudrate, 0.0);
        QCOMPARE(Q(s.m_szSpacing), QString());
        QCOMPARE(s.m_nNumChannels, 0);
    }

    void mfskCouplingFollowsTyping() {
        CSignalDescription s = Record(ModulationMfsk);
        CSignalEditDialog dialog(&s);
        dialog.show();
        QLineEdit* baud = dialog.Page(ModulationMfsk).Edit(IDC_BAUDRATE);
        QLineEdit* duration = dialog.Page(ModulationMfsk).Edit(IDC_TONE_DURATION);
        baud->clear();
        QTest::keyClicks(baud, "45");
        QCOMPARE(duration->text(), QStringLiteral("22.2222"));
        duration->clear();
        QTest::keyClicks(duration, "22");
        QCOMPARE(baud->text(), QStringLiteral("45.4545"));
        QTest::keyClicks(baud, "x");
        QCOMPARE(duration->text(), QStringLiteral("22")); // 45.4545x still reads 45.4545
        baud->selectAll();
        QTest::keyClicks(baud, "*");
        QCOMPARE(duration->text(), QStringLiteral("*"));
        // Text set by the program does not couple.
        baud->setText(QStringLiteral("100"));
        QCOMPARE(duration->text(), QStringLiteral("*"));
        // Under another family the MFSK page does not couple either.
        dialog.FamilyButton(ModulationFsk)->click();
        baud->selectAll();
        QTest::keyClicks(baud, "50");
        QCOMPARE(duration->text(), QStringLiteral("*"));
    }

    // A changed number field holds a whole number, "*" or nothing: anything else is a "Data
    // Error" naming the field, which takes the focus with its text selected; so do the
    // validation's own errors.
    void numberFieldsAreWholeOrRefused_data() {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QLocale>("locale");
        const QLocale c = QLocale::c();
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("decimal comma") << 1 << int(IDC_BAUDRATE) << "45,45"
                                       << "Baud rate: 45,45 is not a number" << c;
        QTest::newRow("German decimal comma") << 1 << int(IDC_BAUDRATE) << "45,45"
                                              << "" << german;
        QTest::newRow("German decimal point") << 1 << int(IDC_SHIFT) << "170.5"
                                              << "" << german;
        QTest::newRow("German comma in a count")
            << 3 << int(IDC_NUM_CHANNELS) << "12,5"
            << "No. of carriers: 12,5 is not a number" << german;
        QTest::newRow("German comma and point") << 1 << int(IDC_BAUDRATE) << "1.045,5"
                                                << "Baud rate: 1.045,5 is not a number" << german;
        QTest::newRow("trailing letters in a count")
            << 3 << int(IDC_NUM_CHANNELS) << "12abc"
            << "No. of carriers: 12abc is not a number" << c;
        QTest::newRow("spaces around are fine") << 1 << int(IDC_SHIFT) << " 170 "
                                                << "" << c;
        QTest::newRow("exponent") << 4 << int(IDC_PILOT_FREQUENCY) << "1.5e3"
                                  << "" << c;
        QTest::newRow("validation error focuses its field") << 4 << int(IDC_SYMBOL_RATE) << ""
                                                            << "No symbol rate specified" << c;
    }
    void numberFieldsAreWholeOrRefused() {
        QFETCH(int, family);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        CSignalDescription s = Record(family);
        CSignalEditDialog dialog(&s);
        dialog.show();
        QLineEdit* edit = dialog.Page(family).Edit(field);
        edit->setText(typed);
        dialog.NameEdit()->setFocus();
        dialog.accept();
        QCOMPARE(dialog.result(), message.isEmpty() ? int(QDialog::Accepted) : 0);
        // A decimal comma is read as the point the file keeps.
        if (message.isEmpty() && typed.contains(u','))
            QCOMPARE(s.m_dBaudrate, 45.45);
        if (message.isEmpty())
            return;
        QCOMPARE(CPrompts::ShownMessages().last().caption, QStringLiteral("Data Error"));
        QCOMPARE(CPrompts::ShownMessages().last().text, message);
        QCOMPARE(dialog.focusWidget(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
    }

    // Under a locale with a decimal comma every number the dialog shows has the comma the
    // fields read; OK without an edit keeps each value, a typed value couples in the same form.
    void numbersShownInTheLocalesForm_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("coupled");
        QTest::newRow("C") << QLocale::c() << "15.625"
                           << "64"
                           << "22.2222";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "15,625"
                                << "64"
                                << "22,2222";
    }
    void numbersShownInTheLocalesForm() {
        QFETCH(QLocale, locale);
        QFETCH(QString, rate);
        QFETCH(QString, duration);
        QFETCH(QString, coupled);
        QLocale::setDefault(locale);
        auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        CSignalDescription s = Record(ModulationMfsk);
        s.m_dBaudrate = 15.625;
        s.m_dShift = 15.625;
        {
            CSignalEditDialog dialog(&s);
            const CSignalEditDialogChild& page = dialog.Page(ModulationMfsk);
            QCOMPARE(page.Text(IDC_BAUDRATE), rate);
            QCOMPARE(page.Text(IDC_SPACING), rate);
            QCOMPARE(page.Text(IDC_TONE_DURATION), duration);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(s.m_dBaudrate, 15.625);
            QCOMPARE(s.m_dShift, 15.625);
        }
        CSignalEditDialog dialog(&s);
        QLineEdit* edit = dialog.Page(ModulationMfsk).Edit(IDC_BAUDRATE);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("45"));
        QCOMPARE(dialog.Page(ModulationMfsk).Text(IDC_TONE_DURATION), coupled);
    }

    void mfskWildcardTonesStayUntouched() {
        CSignalDescription s = Record(ModulationMfsk);
        s.m_nNumTones = -1;
        s.m_nNumTonesMin = 0;
        {
            // The wildcard shows as "*"; untouched, it stays the wildcard.
            CSignalEditDialog dialog(&s);
            QCOMPARE(dialog.Page(ModulationMfsk).Text(IDC_NUM_TONES), QStringLiteral("*"));
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(s.m_nNumTones, -1);
        }
        CSignalEditDialog dialog(&s);
        dialog.Page(ModulationMfsk).SetText(IDC_NUM_TONES, QStringLiteral("2"));
        dialog.accept();
        QCOMPARE(CPrompts::ShownMessages().size(), 1);
        QCOMPARE(CPrompts::ShownMessages().last().text,
                 QStringLiteral("Less than 3 tones specified for MFSK"));
    }

    // OK without any edit gives back every stored value: the sample database and 1,000
    // valid random records (digits beyond six, values the fields cannot show, comments with
    // no-break spaces, CR LF and U+2028, OFDM spacing lists), with the spacing dialog
    // opened and confirmed where the record has carriers.
    void untouchedOkKeepsEveryStoredValue() {
        CVantorDoc sample;
        QVERIFY(
            sample.OnOpenDocument(QStringLiteral(QUARN_TEST_DATA "/../../examples/signals.xml")));
        std::vector<CSignalDescription> records;
        for (const auto& s : sample.Signals()) {
            if (!s->IsInvalid())
                records.push_back(*s);
        }
        QVERIFY(records.size() > 10);
        const std::size_t total = records.size() + 1000;
        QRandomGenerator random(1207);
        while (records.size() < total) {
            CSignalDescription s = RandomRecord(random);
            CopyText(s.m_szName, u"n" + std::u16string(s.m_szName));
            if (records.size() % 3 == 0)
                CopyText(s.m_szComment, u"a\u00A0b\r\nc\u2028d\re");
            if (s.m_nModulation == ModulationOfdm && records.size() % 2 == 0)
                CopyText(s.m_szSpacing, u"100,200");
            if (s.Settle(true) == SignalProblem::None)
                records.push_back(s);
        }
        for (const CSignalDescription& original : records) {
            CSignalDescription edited = original;
            CSignalEditDialog dialog(&edited);
            const int family = original.m_nModulation;
            // A list for more carriers than a list can hold is refused (not opened).
            if ((family == ModulationFsk || family == ModulationPsk) &&
                original.m_nNumChannels >= 2 &&
                (original.m_nNumChannels <= MaxListCarriers ||
                 !IsSpacingList(Q(original.m_szSpacing)))) {
                CPrompts::PushDialogHandler([](QDialog& d) {
                    d.accept();
                    return d.result();
                });
                dialog.OnEditSpacing();
            }
            dialog.accept();
            QVERIFY2(dialog.result() == QDialog::Accepted, qPrintable(Describe(original)));
            QVERIFY2(SameStoredValues(edited, original),
                     qPrintable(QStringLiteral("\n got      %1\n expected %2")
                                    .arg(Describe(edited), Describe(original))));
            QCOMPARE(Q(edited.m_szComment), Q(original.m_szComment));
            QCOMPARE(Q(edited.m_szName), Q(original.m_szName));
            QCOMPARE(Q(edited.m_szITU), Q(original.m_szITU));
        }
        QVERIFY(CPrompts::ShownMessages().isEmpty());
    }

    // Typed or pasted text keeps only what a file can carry, and no limit splits a pair.
    void textFieldsTakeOnlyStorableText_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("pasted"); // at the end, or at the start after "^"
        QTest::addColumn<QString>("expected");
        const QString emoji = QStringLiteral("\U0001F600");
        QTest::newRow("name controls")
            << "name"
            << "" << QStringLiteral("a\u0001b\tc\nd") << QStringLiteral("ab\tcd");
        QTest::newRow("name noncharacters")
            << "name"
            << "" << QStringLiteral("a\uFFFEb\uFFFF") + QChar(0xD800) + "c"
            << "abc";
        QTest::newRow("name limit before a pair")
            << "name"
            << "" << QString(58, 'x') + emoji << QString(58, 'x');
        QTest::newRow("name pair within the limit")
            << "name"
            << "" << QString(57, 'x') + emoji << QString(57, 'x') + emoji;
        QTest::newRow("name keeps its stored tab")
            << "name" << QStringLiteral("a\tb") << "c" << QStringLiteral("a\tbc");
        QTest::newRow("name paste cut to the room left, tail kept")
            << "name" << QString(58, 'x') << "^yz"
            << "y" + QString(58, 'x');
        QTest::newRow("ITU limit before a pair")
            << "itu"
            << "" << QStringLiteral("12345678") + emoji << "12345678";
        QTest::newRow("ITU cleaned before it is cut")
            << "itu"
            << "" << QStringLiteral("P\u0001q\tr\ns\uFFFEt\uFFFFu\u00A0v")
            << QStringLiteral("Pq\trstu\u00A0v");
        QTest::newRow("comment keeps tab and lines")
            << "comment"
            << "" << QStringLiteral("a\tb\nc\u0007d\u001Fe") << "a\tb\ncde";
        QTest::newRow("comment limit before a pair")
            << "comment"
            << "" << QString(498, 'x') + emoji + "y" << QString(498, 'x');
        QTest::newRow("OFDM spacing") << "ofdm spacing"
                                      << "" << QStringLiteral("1\u001B00") << "100";
    }
    void textFieldsTakeOnlyStorableText() {
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        CSignalDescription s;
        if (field == "itu")
            CopyText(s.m_szITU, stored.toStdU16String());
        else
            CopyText(s.m_szName, stored.toStdU16String());
        CSignalEditDialog dialog(&s);
        const bool atStart = pasted.startsWith('^');
        QGuiApplication::clipboard()->setText(atStart ? pasted.mid(1) : pasted);
        QString shown;
        if (field == "comment") {
            dialog.CommentEdit()->paste();
            shown = dialog.CommentEdit()->Comment();
        } else {
            dialog.FamilyButton(ModulationOfdm)->click();
            QLineEdit* edit = field == "name"  ? dialog.NameEdit()
                              : field == "itu" ? dialog.ITUEdit()
                                               : dialog.Page(ModulationOfdm).Edit(IDC_SPACING);
            edit->setCursorPosition(atStart ? 0 : int(edit->text().size()));
            edit->paste();
            shown = edit->text();
        }
        QCOMPARE(shown, expected);
    }

    // The comment gives back every character it held, the user's change applied: the
    // characters the control shows as line breaks or spaces keep their own form, new breaks
    // take the comment's form, and typing, pasting and Ctrl+Enter stop at 499 code units.
    void commentKeepsEveryCharacter_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("action"); // typed text, "paste:text" or "ctrl+enter"
        QTest::addColumn<QString>("expected");
        const QString special = QStringLiteral("a\u00A0b\u2028c\u2029d\uFDD0e\r\nf\rg\nh");
        QTest::newRow("special characters stay") << special << "X" << special + "X";
        QTest::newRow("pasted NBSP stays")
            << "a" << QStringLiteral("paste:p\u00A0q") << QStringLiteral("ap\u00A0q");
        QTest::newRow("new break in a CR LF comment")
            << QStringLiteral("a\r\nb") << "ctrl+enter" << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("new break in an LF comment")
            << QStringLiteral("a\nb") << "ctrl+enter" << QStringLiteral("a\nb\n");
        QTest::newRow("typing stops at the limit") << QString(499, 'x') << "y" << QString(499, 'x');
        QTest::newRow("Ctrl+Enter stops at the limit")
            << QString(499, 'x') << "ctrl+enter" << QString(499, 'x');
        QTest::newRow("CR LF counts two") << QString(497, 'x') + "\r\n"
                                          << "yz" << QString(497, 'x') + "\r\n";
        QTest::newRow("paste cut to the room left")
            << QString(490, 'x') << "paste:" + QString(20, 'y')
            << QString(490, 'x') + QString(9, 'y');
        QTest::newRow("no surrogate split")
            << QString(498, 'x') << QStringLiteral("paste:\U0001F600") << QString(498, 'x');
    }
    void commentKeepsEveryCharacter() {
        QFETCH(QString, stored);
        QFETCH(QString, action);
        QFETCH(QString, expected);
        CSignalDescription s = Record(ModulationCw);
        CopyText(s.m_szComment, stored.toStdU16String());
        CSignalEditDialog dialog(&s);
        CCommentEdit* comment = dialog.CommentEdit();
        comment->moveCursor(QTextCursor::End);
        if (action == "ctrl+enter") {
            QTest::keyClick(comment, Qt::Key_Return, Qt::ControlModifier);
        } else if (action.startsWith("paste:")) {
            QGuiApplication::clipboard()->setText(action.mid(6));
            comment->paste();
        } else {
            QTest::keyClicks(comment, action);
        }
        CSignalDescription built;
        dialog.BuildRecord(built);
        QCOMPARE(Q(built.m_szComment), expected);
        const qsizetype room = 499 - expected.size();
        QCOMPARE(dialog.CommentRoom()->isVisibleTo(&dialog), room < 50);
        if (room < 50)
            QCOMPARE(
                dialog.CommentRoom()->text(),
                QStringLiteral("%1 %2 left").arg(room).arg(room == 1 ? "character" : "characters"));
    }

    // Every label of a dialog names its field with an Alt+letter, and no letter is taken
    // twice among what is shown together (the page of one family, the buttons included).
    void mnemonicsAreUnique_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("family");
        for (int family = ModulationFsk; family <= ModulationCw; ++family)
            QTest::addRow("edit dialog, family %d", family) << "edit" << family;
        QTest::newRow("carrier list") << "carriers" << 0;
        QTest::newRow("one spacing") << "spacing" << 0;
    }
    void mnemonicsAreUnique() {
        QFETCH(QString, dialog);
        QFETCH(int, family);
        CSignalDescription s = Record(family);
        char16_t spacing[200] = u"100,200";
        std::unique_ptr<QDialog> shown;
        if (dialog == "edit")
            shown = std::make_unique<CSignalEditDialog>(&s);
        else if (dialog == "carriers")
            shown = std::make_unique<CMulticarrierDialog>(3, spacing);
        else
            shown = std::make_unique<CSpacingDialog>();
        QMap<QChar, QString> letters;
        QStringList clashes;
        const auto take = [&](const QString& text) {
            const qsizetype at = text.indexOf('&');
            if (at < 0 || at + 1 >= text.size())
                return false;
            const QChar letter = text[at + 1].toLower();
            if (letters.contains(letter))
                clashes << letters[letter] + " / " + text;
            letters.insert(letter, text);
            return true;
        };
        for (const QLabel* label : shown->findChildren<QLabel*>()) {
            if (label->isVisibleTo(shown.get()) && label->text().endsWith(':')) {
                QVERIFY2(label->buddy() && take(label->text()), qPrintable(label->text()));
            }
        }
        for (const QAbstractButton* button : shown->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(shown.get()))
                take(button->text());
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(", ")));
        QVERIFY(!letters.isEmpty());
    }

    void editSpacingNeedsCarriers_data() {
        QTest::addColumn<QString>("channels");
        QTest::addColumn<bool>("opens");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("wildcard") << "*" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("one") << "1" << false;
        QTest::newRow("four") << "4" << true;
    }
    void editSpacingNeedsCarriers() {
        QFETCH(QString, channels);
        QFETCH(bool, opens);
        CSignalDescription s = Record(ModulationFsk);
        CSignalEditDialog dialog(&s);
        dialog.Page(ModulationFsk).SetText(IDC_NUM_CHANNELS, channels);
        int rows = -1;
        if (opens) {
            CPrompts::PushDialogHandler([&rows](QDialog& d) {
                auto& multi = static_cast<CMulticarrierDialog&>(d);
                rows = multi.List()->rowCount();
                multi.SameButton()->click();
                multi.CommonEdit()->setText(QStringLiteral("250"));
                multi.accept();
                return multi.result();
            });
        }
        dialog.OnEditSpacing();
        if (opens) {
            QCOMPARE(rows, 3);
            QCOMPARE(Q(dialog.PendingSpacing()), QStringLiteral("250"));
            QVERIFY(CPrompts::ShownMessages().isEmpty());
            dialog.accept();
            QCOMPARE(Q(s.m_szSpacing), QStringLiteral("250"));
        } else {
            QCOMPARE(CPrompts::ShownMessages().size(), 1);
            QCOMPARE(CPrompts::ShownMessages()[0].caption, QStringLiteral("Error"));
            QCOMPARE(CPrompts::ShownMessages()[0].text,
                     QStringLiteral("Please enter the number of carriers first"));
            QCOMPARE(CPrompts::ShownMessages()[0].icon, QMessageBox::Critical);
        }
    }

    void enterInCommentsPressesOk() {
        CSignalDescription s = Record(ModulationCw);
        CSignalEditDialog dialog(&s);
        dialog.show();
        dialog.CommentEdit()->setFocus();
        QTest::keyClick(dialog.CommentEdit(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(dialog.CommentEdit()->toPlainText(), QStringLiteral("\n"));
        QTest::keyClick(dialog.CommentEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Q(s.m_szComment), QStringLiteral("\n"));
    }

    void enterOnFocusedEditButtonOpensSpacing() {
        CSignalDescription s = Record(ModulationFsk);
        CSignalEditDialog dialog(&s);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* edit =
            dialog.Page(ModulationFsk).findChild<QPushButton*>(ControlName(IDC_EDIT_SPACING));
        QVERIFY(edit);
        edit->setFocus();
        bool opened = false;
        CPrompts::PushDialogHandler([&opened](QDialog& d) {
            opened = true;
            d.reject();
            return int(QDialog::Rejected);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(opened);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // The five family buttons are one tab stop whether or not a family is chosen; the arrow
    // keys move within the group, and Space chooses.
    void familyGroupIsOneTabStop_data() {
        QTest::addColumn<int>("family");
        QTest::newRow("new signal") << 0;
        QTest::newRow("PSK") << int(ModulationPsk);
    }
    void familyGroupIsOneTabStop() {
        QFETCH(int, family);
        CSignalDescription s = family ? Record(family) : CSignalDescription();
        CSignalEditDialog dialog(&s);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QList<QRadioButton*> reached;
        for (int step = 0; step < 40; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (auto* radio = qobject_cast<QRadioButton*>(QApplication::focusWidget());
                radio && !reached.contains(radio))
                reached << radio;
        }
        QCOMPARE(reached.size(), 1);
        QCOMPARE(reached[0]->objectName(), ControlName(IDC_FAMILY_BASE + std::max(family, 1)));
        // The arrow keys choose as they move, and the page follows.
        reached[0]->setFocus();
        QTest::keyClick(reached[0], Qt::Key_Right);
        auto* next = qobject_cast<QRadioButton*>(QApplication::focusWidget());
        QVERIFY(next && next != reached[0]);
        QCOMPARE(dialog.GetCheckedModulation(), std::max(family, 1) + 1);
        QVERIFY(dialog.Page(std::max(family, 1) + 1).isVisible());
        QTest::keyClick(next, Qt::Key_Left);
        QCOMPARE(dialog.GetCheckedModulation(), std::max(family, 1));
    }

    void labelsAlignWithTheirFieldsText() {
        CSignalDescription s = Record(ModulationFsk);
        CSignalEditDialog dialog(&s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        int checked = 0;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            const QWidget* field = label->buddy();
            if (!field || !field->isVisible())
                continue;
            const int labelTop = label->mapTo(&dialog, label->contentsRect().topLeft()).y();
            const int textHeight = label->fontMetrics().height();
            int fieldTextTop = 0;
            int labelTextTop = 0;
            if (auto* comment = qobject_cast<const QPlainTextEdit*>(field)) {
                fieldTextTop = comment->viewport()->mapTo(&dialog, QPoint(0, 0)).y() +
                               qRound(comment->document()->documentMargin());
                labelTextTop = labelTop;
            } else {
                fieldTextTop =
                    field->mapTo(&dialog, QPoint(0, 0)).y() + (field->height() - textHeight) / 2;
                labelTextTop = labelTop + (label->contentsRect().height() - textHeight) / 2;
            }
            QVERIFY2(std::abs(labelTextTop - fieldTextTop) <= 1, qPrintable(label->text()));
            ++checked;
        }
        QVERIFY(checked >= 10);
    }

    void cancelLeavesRecord() {
        CSignalDescription s = Record(ModulationPsk);
        const CSignalDescription before = s;
        CSignalEditDialog dialog(&s);
        dialog.NameEdit()->setText(QStringLiteral("changed"));
        dialog.reject();
        QVERIFY(s.IsEqual(before));
    }
};

QTEST_MAIN(TestSignalEditDialog)
#include "tst_signaleditdialog.moc"
