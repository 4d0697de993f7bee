#include "SignalCatalogue.h"

#include "SignalColumns.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

struct ProblemEntry {
    SignalProblem problem;
    SignalField field;
    const char* text;
};

constexpr ProblemEntry Problems[SignalProblemCount] = {
    {SignalProblem::None, SignalField::None, nullptr},
    {SignalProblem::NoName, SignalField::Name,
     QT_TRANSLATE_NOOP("Signal", "You have to specify a name")},
    {SignalProblem::NegativeBaudrate, SignalField::Rate,
     QT_TRANSLATE_NOOP("Signal", "No negative baud rate allowed")},
    {SignalProblem::NegativeShift, SignalField::Shift,
     QT_TRANSLATE_NOOP("Signal", "No negative shift allowed")},
    {SignalProblem::NegativeTones, SignalField::NumTones,
     QT_TRANSLATE_NOOP("Signal", "No negative number of tones allowed")},
    {SignalProblem::NegativeCarriers, SignalField::NumChannels,
     QT_TRANSLATE_NOOP("Signal", "No negative number of carriers allowed")},
    {SignalProblem::NoModulation, SignalField::Modulation,
     QT_TRANSLATE_NOOP("Signal", "No modulation selected")},
    {SignalProblem::NoBaudrate, SignalField::Rate,
     QT_TRANSLATE_NOOP("Signal", "No baud rate specified")},
    {SignalProblem::NoShift, SignalField::Shift, QT_TRANSLATE_NOOP("Signal", "No shift specified")},
    {SignalProblem::NoSpacing, SignalField::Spacing,
     QT_TRANSLATE_NOOP("Signal", "No spacing specified")},
    {SignalProblem::TooFewTones, SignalField::NumTones,
     QT_TRANSLATE_NOOP("Signal", "Less than 3 tones specified for MFSK")},
    {SignalProblem::NoSymbolRate, SignalField::Rate,
     QT_TRANSLATE_NOOP("Signal", "No symbol rate specified")},
    {SignalProblem::UnknownModulation, SignalField::Modulation,
     QT_TRANSLATE_NOOP("Signal", "Unknown Modulation")},
    {SignalProblem::CodecheckNotPositive, SignalField::Codecheck,
     QT_TRANSLATE_NOOP("Signal", "Codecheck count must be positive")},
};

constexpr const char* TextOf(const ProblemEntry& entry) {
    return entry.text;
}

constexpr const char* TextOf(const char* text) {
    return text;
}

constexpr const char* Headings[SignalColumnCount] = {
    QT_TRANSLATE_NOOP("Signal", "Name"),
    QT_TRANSLATE_NOOP("Signal", "Decoder"),
    QT_TRANSLATE_NOOP("Signal", "Modulation"),
    QT_TRANSLATE_NOOP("Signal", "Subcarrier"),
    QT_TRANSLATE_NOOP("Signal", "Baud / Symbol Rate"),
    QT_TRANSLATE_NOOP("Signal", "Shift"),
    QT_TRANSLATE_NOOP("Signal", "Bandwidth"),
    QT_TRANSLATE_NOOP("Signal", "No. of Tones"),
    QT_TRANSLATE_NOOP("Signal", "No. of Carriers"),
    QT_TRANSLATE_NOOP("Signal", "Spacing"),
    QT_TRANSLATE_NOOP("Signal", "Pilot Frequency"),
    QT_TRANSLATE_NOOP("Signal", "Codecheck Counter"),
    QT_TRANSLATE_NOOP("Signal", "ITU Designator"),
    QT_TRANSLATE_NOOP("Signal", "Comments"),
};

// The ASCII texts widened once, at compile time, for the record's UTF-16 interface.
constexpr std::size_t WideRoom = 48;
using WideText = std::array<char16_t, WideRoom>;

constexpr std::size_t Length(const char* text) {
    std::size_t n = 0;
    while (text != nullptr && text[n] != '\0')
        ++n;
    return n;
}

template <class Text, std::size_t N> constexpr auto Widen(const Text (&entries)[N]) {
    std::array<WideText, N> wide{};
    for (std::size_t i = 0; i < N; ++i) {
        const char* text = TextOf(entries[i]);
        for (std::size_t c = 0; c < Length(text) && c + 1 < WideRoom; ++c)
            wide[i][c] = static_cast<char16_t>(text[c]);
    }
    return wide;
}

template <class Text, std::size_t N> constexpr std::size_t Longest(const Text (&entries)[N]) {
    std::size_t longest = 0;
    for (const Text& entry : entries)
        longest = std::max(longest, Length(TextOf(entry)));
    return longest;
}

static_assert(Longest(Problems) < WideRoom && Longest(Headings) < WideRoom,
              "every text fits its wide copy");

constexpr std::array<WideText, SignalProblemCount> WideProblems = Widen(Problems);
constexpr std::array<WideText, SignalColumnCount> WideHeadings = Widen(Headings);

constexpr bool InOrder() {
    for (int i = 0; i < SignalProblemCount; ++i) {
        if (static_cast<int>(Problems[i].problem) != i)
            return false;
    }
    return true;
}
static_assert(InOrder(), "the problems are listed in the order of their codes");

int Index(SignalProblem problem) {
    const int i = static_cast<int>(problem);
    return i > 0 && i < SignalProblemCount ? i : 0;
}

} // namespace

const char16_t* SignalProblemText(SignalProblem problem) {
    const int i = Index(problem);
    return i == 0 ? nullptr : WideProblems[i].data();
}

const char* SignalProblemSource(SignalProblem problem) {
    return Problems[Index(problem)].text;
}

SignalField SignalProblemField(SignalProblem problem) {
    return Problems[Index(problem)].field;
}

const char* SignalColumnSource(int column) {
    return column >= 0 && column < SignalColumnCount ? Headings[column] : "";
}

const char16_t* SignalColumnHeading(int column) {
    return column >= 0 && column < SignalColumnCount ? WideHeadings[column].data() : u"";
}

const char* SignalColumnKey(int column) {
    static const char* const keys[SignalColumnCount] = {
        "name",  "decoder",  "modulation", "subcarrier", "baud",      "shift", "bandwidth",
        "tones", "carriers", "spacing",    "pilot",      "codecheck", "itu",   "comments"};
    return column >= 0 && column < SignalColumnCount ? keys[column] : "";
}
