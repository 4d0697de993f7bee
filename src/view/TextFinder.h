#pragma once

#include <QString>

#include <string>

class CSignalDescription;

// The list columns a find searches: Name, Decoder, Modulation, ITU Designator, Comments.
inline constexpr int FindColumns[] = {0, 1, 2, 12, 13};

// Whether a record's Name, Decoder, Modulation, ITU Designator or Comments contain a text,
// ignoring case. Matching reads the record's texts in place: nothing is allocated. An ASCII
// text also has a folded byte form for CSearchText.
class CTextFinder {
public:
    explicit CTextFinder(const QString& text = {});

    bool IsEmpty() const { return m_text.isEmpty(); }
    const QString& Text() const { return m_text; }
    bool Matches(const CSignalDescription& signal) const;
    // The text folded to lower-case bytes when it is all ASCII; empty otherwise.
    const std::string& FoldedAscii() const { return m_bytes; }

private:
    bool Contains(const char16_t* text) const;

    QString m_text;
    std::string m_bytes;
};
