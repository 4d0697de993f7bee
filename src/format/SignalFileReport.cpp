#include "SignalFileReport.h"

#include "SignalDescription.h"

#include <QCoreApplication>

void SignalFileReport::Count(const CSignalDescription& signal, const SignalReadNotes& notes) {
    for (int bit = 0; bit < 4; ++bit)
        cut[bit] += (notes.cut >> bit) & 1;
    for (const auto& [field, saved] : notes.numbers) {
        if (++numbers <= MaxNumberExamples)
            numberExamples.push_back(
                QCoreApplication::translate("SignalFileReader",
                                            "the %1 of \"%2\" will be saved as %3")
                    .arg(QCoreApplication::translate("SignalFileReader", field),
                         QStringView(signal.m_szName.c_str()).toString(),
                         QString::fromStdString(saved)));
    }
}

QString SignalFileReport::Dropped() const {
    const auto Tr = [](const char* text) {
        return QCoreApplication::translate("SignalFileReport", text);
    };
    QStringList dropped;
    const auto add = [&dropped](int count, const QString& one, const QString& many) {
        if (count > 0)
            dropped << (count == 1 ? one : many.arg(count));
    };
    add(comments, Tr(QT_TRANSLATE_NOOP("SignalFileReport", "1 comment outside signals")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "%1 comments outside signals")));
    add(instructions,
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "1 processing instruction outside signals")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "%1 processing instructions outside signals")));
    if (textOutside)
        dropped << Tr(QT_TRANSLATE_NOOP("SignalFileReport", "text outside signals"));
    if (doctype)
        dropped << Tr(QT_TRANSLATE_NOOP("SignalFileReport", "the document type declaration"));
    for (const auto& [element, count] : elements) {
        const QString name = QString::fromStdString(element);
        add(count, Tr(QT_TRANSLATE_NOOP("SignalFileReport", "1 <%1> element")).arg(name),
            Tr(QT_TRANSLATE_NOOP("SignalFileReport", "%1 <%2> elements")).arg(u"%1", name));
    }
    add(listAttributes,
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "1 attribute of SignalDatabase or SignalList")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "%1 attributes of SignalDatabase or SignalList")));
    add(signalsWithText, Tr(QT_TRANSLATE_NOOP("SignalFileReport", "text directly inside 1 signal")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "text directly inside %1 signals")));
    add(repeatedFields,
        Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                             "the earlier value of 1 field given twice in a signal")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                             "the earlier values of %1 fields given more than once in signals")));
    add(fieldMarkup,
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "1 piece of markup inside a field of a signal")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport", "%1 pieces of markup inside fields of signals")));
    add(unwritableNames,
        Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                             "1 piece of markup inside a signal named with ª, µ or º")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                             "%1 pieces of markup inside signals named with ª, µ or º")));
    add(signalsOutsideList,
        Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                             "the place of 1 Signal element outside SignalList")),
        Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                             "the place of %1 Signal elements outside SignalList")));
    if (dropped.isEmpty())
        return {};
    return Tr(QT_TRANSLATE_NOOP("SignalFileReport", "%1 will not be saved"))
        .arg(dropped.join(Tr(QT_TRANSLATE_NOOP("SignalFileReport", " and "))));
}

QString SignalFileReport::Notice() const {
    const auto Tr = [](const char* text) {
        return QCoreApplication::translate("SignalFileReport", text);
    };
    QStringList parts;
    if (const QString dropped = Dropped(); !dropped.isEmpty())
        parts << dropped;
    static const char* const texts[4][2] = {
        {QT_TRANSLATE_NOOP("SignalFileReport", "1 name was cut to %1 characters"),
         QT_TRANSLATE_NOOP("SignalFileReport", "%1 names were cut to %2 characters")},
        {QT_TRANSLATE_NOOP("SignalFileReport", "1 ITU designator was cut to %1 characters"),
         QT_TRANSLATE_NOOP("SignalFileReport", "%1 ITU designators were cut to %2 characters")},
        {QT_TRANSLATE_NOOP("SignalFileReport", "1 comment was cut to %1 characters"),
         QT_TRANSLATE_NOOP("SignalFileReport", "%1 comments were cut to %2 characters")},
        {QT_TRANSLATE_NOOP("SignalFileReport", "1 spacing was cut to %1 characters"),
         QT_TRANSLATE_NOOP("SignalFileReport", "%1 spacings were cut to %2 characters")}};
    // What a field holds: its capacity less the terminating zero.
    static const int capacities[4] = {
        CSignalDescription::NameCapacity - 1, CSignalDescription::ITUCapacity - 1,
        CSignalDescription::CommentCapacity - 1, CSignalDescription::SpacingCapacity - 1};
    for (int i = 0; i < 4; ++i) {
        if (cut[i] > 0)
            parts << (cut[i] == 1 ? Tr(texts[i][0]).arg(capacities[i])
                                  : Tr(texts[i][1]).arg(cut[i]).arg(capacities[i]));
    }
    parts << numberExamples;
    if (numbers > MaxNumberExamples)
        parts << Tr(QT_TRANSLATE_NOOP("SignalFileReport",
                                      "%1 more numbers will be saved in another form"))
                     .arg(numbers - MaxNumberExamples);
    return parts.join(QStringLiteral("; "));
}

bool SignalFileReport::Foreign() const {
    return !hasSignals && !root.empty() && root != "SignalDatabase";
}
