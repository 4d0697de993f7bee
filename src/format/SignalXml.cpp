#include "SignalXml.h"

#include "NumberFormat.h"
#include "SignalDescription.h"
#include "SignalText.h"
#include "UnknownNames.h"
#include "Utf8Text.h"
#include "Vocabulary.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// Scratch buffers reused across records, so that reading allocates only while they grow.
struct Scratch {
    std::u16string utf16;
    std::string utf8;
};

Scratch& ScratchBuffers() {
    thread_local Scratch scratch;
    return scratch;
}

// Reads a text into its field; true when it was cut to the field's capacity.
template <std::size_t N> bool ReadText(CRecordText<N>& field, std::string_view utf8) {
    std::u16string& text = ScratchBuffers().utf16;
    DecodeUtf8(utf8, text);
    CopyText(field, text);
    return text.size() > N - 1;
}

std::string_view Trimmed(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads a real; when the saved form will read as another value (more digits than six, or
// a text the grammar reads only in part), notes the field and that form.
double ReadReal(std::string_view text, const char* field, SignalReadNotes& notes) {
    const double value = ParseReal(text);
    char16_t saved[MaxRealTextLength + 1];
    const std::size_t length = FormatReal(value, saved);
    const std::string_view number = Trimmed(text);
    // The grammar is ASCII: a text the conversion takes whole fits a small buffer.
    char16_t wide[64];
    bool whole = number.empty();
    if (!whole && number.size() <= std::size(wide)) {
        std::copy(number.begin(), number.end(), wide);
        whole = RealPrefixLength(std::u16string_view(wide, number.size())) == number.size();
    } else if (!whole) {
        const std::u16string longer(number.begin(), number.end());
        whole = RealPrefixLength(longer) == longer.size();
    }
    if (!whole || ParseReal(std::u16string_view(saved, length)) != value)
        notes.numbers.emplace_back(field, std::string(saved, saved + length));
    return value;
}

// Reads a count; a text that is not a whole number within 32 bits is noted with its saved form.
std::int32_t ReadCount(std::string_view text, const char* field, SignalReadNotes& notes) {
    const std::int32_t value = ParseULong(text);
    std::string_view digits = Trimmed(text);
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    const bool plain = !digits.empty() && digits.size() <= 10 &&
                       digits.find_first_not_of("0123456789") == std::string_view::npos &&
                       (digits.size() < 10 || digits <= "4294967295");
    if (!plain && !Trimmed(text).empty()) {
        char16_t saved[16];
        const std::size_t length = FormatInt(value, saved);
        notes.numbers.emplace_back(field, std::string(saved, saved + length));
    }
    return value;
}

// A vocabulary keyed by its UTF-8 names, first occurrence winning: the same answer as
// LookupTableName, without decoding the value or scanning 234 names per record.
class VocabularyIndex {
public:
    explicit VocabularyIndex(const char16_t* const* table) {
        std::string utf8;
        for (std::int32_t i = 0; table[i] != nullptr; ++i) {
            EncodeUtf8(table[i], utf8);
            m_index.emplace(utf8, i);
        }
    }
    std::int32_t Find(std::string_view utf8) const {
        const auto it = m_index.find(utf8);
        return it == m_index.end() ? -1 : it->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::int32_t, Hash, std::equal_to<>> m_index;
};

std::int32_t Lookup(const char16_t* const* table, std::string_view utf8) {
    static const VocabularyIndex decoders(DecoderModeNames);
    static const VocabularyIndex modulations(ModulationNames);
    static const VocabularyIndex psk(PskSubmodeNames);
    static const VocabularyIndex fsk(FskSubmodeNames);
    static const VocabularyIndex subcarriers(SubcarrierModulationNames);
    const VocabularyIndex& index = table == DecoderModeNames  ? decoders
                                   : table == ModulationNames ? modulations
                                   : table == PskSubmodeNames ? psk
                                   : table == FskSubmodeNames ? fsk
                                                              : subcarriers;
    return index.Find(utf8);
}

void ReadAttribute(CSignalDescription& s, std::string_view name, std::string_view value,
                   SignalReadNotes& notes) {
    if (name == "Name") {
        if (ReadText(s.m_szName, value))
            notes.cut |= SignalReadNotes::CutName;
    } else if (name == "Mode") {
        s.m_nMode = Lookup(DecoderModeNames, value);
        // A name this version does not know: the record holds "no-mode" and the name.
        s.m_nUnknownMode = s.m_nMode < 0 ? InternUnknownName(value) : 0;
    } else if (name == "Modulation") {
        std::int32_t index = Lookup(ModulationNames, value);
        if (index >= 0) {
            s.m_nModulation = index;
        } else if ((index = Lookup(PskSubmodeNames, value)) >= 0) {
            s.m_nModulation = ModulationPsk;
            s.m_nSubmode = index;
        } else if ((index = Lookup(FskSubmodeNames, value)) >= 0) {
            s.m_nModulation = ModulationFsk;
            s.m_nSubmode = index;
        } else {
            s.m_nModulation = -1;
        }
        s.m_nUnknownModulation = index < 0 ? InternUnknownName(value) : 0;
    } else if (name == "Disabled") {
        s.m_bDisabled = value == "1";
        // Only "1" disables; any other text but "0" is noted, as it is saved as "0".
        if (!s.m_bDisabled && value != "0")
            notes.numbers.emplace_back(QT_TRANSLATE_NOOP("SignalFileReader", "disabled flag"), "0");
    }
}

void ReadChild(CSignalDescription& s, std::string_view name, std::string_view value,
               SignalReadNotes& notes) {
    if (name == "ITU") {
        if (ReadText(s.m_szITU, value))
            notes.cut |= SignalReadNotes::CutITU;
    } else if (name == "Comment") {
        if (ReadText(s.m_szComment, value))
            notes.cut |= SignalReadNotes::CutComment;
    } else if (name == "Submode") {
        if (s.m_nModulation == ModulationOfdm)
            s.m_nSubmode = Lookup(SubcarrierModulationNames, value);
    } else if (name == "Baudrate") {
        s.m_dBaudrate = ReadReal(value, QT_TRANSLATE_NOOP("SignalFileReader", "baud rate"), notes);
    } else if (name == "Shift") {
        if (s.m_nModulation != ModulationMfsk)
            s.m_dShift = ReadReal(value, QT_TRANSLATE_NOOP("SignalFileReader", "shift"), notes);
    } else if (name == "Bandwidth") {
        s.m_dBandwidth = ReadReal(value, QT_TRANSLATE_NOOP("SignalFileReader", "bandwidth"), notes);
    } else if (name == "NumTones") {
        s.m_nNumTones =
            ReadCount(value, QT_TRANSLATE_NOOP("SignalFileReader", "number of tones"), notes);
    } else if (name == "Spacing") {
        if (s.m_nModulation == ModulationMfsk)
            s.m_dShift =
                ReadReal(value, QT_TRANSLATE_NOOP("SignalFileReader", "tone spacing"), notes);
        else if (ReadText(s.m_szSpacing, value))
            notes.cut |= SignalReadNotes::CutSpacing;
    } else if (name == "NumChannels") {
        s.m_nNumChannels =
            ReadCount(value, QT_TRANSLATE_NOOP("SignalFileReader", "number of carriers"), notes);
    } else if (name == "PilotFrequency") {
        s.m_dPilotFrequency =
            ReadReal(value, QT_TRANSLATE_NOOP("SignalFileReader", "pilot frequency"), notes);
    } else if (name == "NumChannelsMin") {
        s.m_nNumChannelsMin = ReadCount(
            value, QT_TRANSLATE_NOOP("SignalFileReader", "minimum number of carriers"), notes);
    } else if (name == "NumTonesMin") {
        s.m_nNumTonesMin = ReadCount(
            value, QT_TRANSLATE_NOOP("SignalFileReader", "minimum number of tones"), notes);
    } else if (name == "CodecheckCounter") {
        s.m_nCodecheckCounter =
            ReadCount(value, QT_TRANSLATE_NOOP("SignalFileReader", "code-check counter"), notes);
    }
}

constexpr std::string_view KnownChildren[] = {"ITU",
                                              "Comment",
                                              "Submode",
                                              "Baudrate",
                                              "Shift",
                                              "Bandwidth",
                                              "NumTones",
                                              "Spacing",
                                              "NumChannels",
                                              "PilotFrequency",
                                              "NumChannelsMin",
                                              "NumTonesMin",
                                              "CodecheckCounter"};

void AppendText(std::string& out, std::string_view utf8) {
    AppendXmlText(out, utf8);
}

// An attribute value: also tab and LF as references, so that reading gives them back.
void AppendAttributeValue(std::string& out, std::string_view utf8) {
    for (const char c : utf8) {
        switch (c) {
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            AppendText(out, std::string_view(&c, 1));
        }
    }
}

void AppendAttribute(std::string& out, const char* name, std::string_view utf8) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendAttributeValue(out, utf8);
    out += '"';
}

// One child element on its own line, inside the Signal element.
void AppendChild(std::string& out, const char* element, std::string_view utf8) {
    out += "      <";
    out += element;
    out += '>';
    AppendText(out, utf8);
    out += "</";
    out += element;
    out += ">\n";
}

// Number texts are ASCII: narrowed in place, without the UTF-8 encoder.
void AppendNumber(std::string& out, const char* element, const char16_t* text, std::size_t length) {
    char narrow[MaxRealTextLength + 1];
    for (std::size_t i = 0; i < length; ++i)
        narrow[i] = static_cast<char>(text[i]);
    AppendChild(out, element, std::string_view(narrow, length));
}

void AppendReal(std::string& out, const char* element, double value) {
    char16_t text[MaxRealTextLength + 1];
    AppendNumber(out, element, text, FormatReal(value, text));
}

void AppendInt(std::string& out, const char* element, std::int32_t value) {
    char16_t text[MaxRealTextLength + 1];
    AppendNumber(out, element, text, FormatInt(value, text));
}

// The record's four free texts, encoded before anything is written, so that a text XML
// cannot carry stops the record whole.
struct EncodedTexts {
    std::string name, itu, comment, spacing;
};

const char* EncodeTexts(const CSignalDescription& s, EncodedTexts& texts) {
    if (!EncodeXmlText(s.m_szName, texts.name))
        return QT_TRANSLATE_NOOP("SignalFileWriter", "name");
    if (!EncodeXmlText(s.m_szITU, texts.itu))
        return QT_TRANSLATE_NOOP("SignalFileWriter", "ITU designator");
    if (!EncodeXmlText(s.m_szComment, texts.comment))
        return QT_TRANSLATE_NOOP("SignalFileWriter", "comment");
    if (!EncodeXmlText(s.m_szSpacing, texts.spacing))
        return QT_TRANSLATE_NOOP("SignalFileWriter", "spacing");
    return nullptr;
}

// A value is written when it is set (above 0) or negative, unless it is a wildcard that
// reading restores by itself.
bool Written(double value, bool wildcardRestored) {
    if (value > 0)
        return true;
    return value < 0 && !(value == -1 && wildcardRestored);
}

} // namespace

void CSignalXml::ReadAttribute(CSignalDescription& s, std::string_view name, std::string_view value,
                               SignalReadNotes& notes) {
    ::ReadAttribute(s, name, value, notes);
}

void CSignalXml::ReadChild(CSignalDescription& s, std::string_view name, std::string_view value,
                           SignalReadNotes& notes) {
    ::ReadChild(s, name, value, notes);
}

constexpr std::string_view KnownAttributes[] = {"Name", "Mode", "Modulation", "Disabled"};

bool CSignalXml::IsKnownAttribute(std::string_view name) {
    return KnownAttributeIndex(name) >= 0;
}

int CSignalXml::KnownAttributeIndex(std::string_view name) {
    const auto* found = std::find(std::begin(KnownAttributes), std::end(KnownAttributes), name);
    return found == std::end(KnownAttributes)
               ? -1
               : static_cast<int>(found - std::begin(KnownAttributes));
}

static_assert(std::size(KnownChildren) <= 32, "a reader keeps one bit for each known child");

int CSignalXml::KnownChildIndex(std::string_view name) {
    const auto* found = std::find(std::begin(KnownChildren), std::end(KnownChildren), name);
    return found == std::end(KnownChildren) ? -1
                                            : static_cast<int>(found - std::begin(KnownChildren));
}

void CSignalXml::AppendText(std::string& out, std::string_view utf8) {
    ::AppendText(out, utf8);
}

void CSignalXml::AppendAttributeValue(std::string& out, std::string_view utf8) {
    ::AppendAttributeValue(out, utf8);
}

void CSignalXml::FinishReading(CSignalDescription& s, SignalReadNotes& notes) {
    if (s.m_nModulation < 0)
        s.m_nModulation = 0;
    if (s.m_nMode < 0)
        s.m_nMode = 0;
    if (s.m_nSubmode < 0)
        s.m_nSubmode = 0;
    // Under a decoder this version does not know, the record reads as "no-mode", whose
    // validation clears the code-check count; the count is kept for the name it belongs to.
    const std::int32_t counter = s.m_nCodecheckCounter;
    notes.message = SignalProblemText(s.Settle(true));
    if (s.m_nUnknownMode != 0 && s.m_nMode == 0)
        s.m_nCodecheckCounter = counter;
    // A value that read as 0 and that validation made a wildcard is shown as "*", written as
    // the wildcard and read back as one: nothing to say about it.
    const auto member = [&s](const char* field) -> const double* {
        const std::string_view name(field);
        if (name == "baud rate")
            return &s.m_dBaudrate;
        if (name == "shift" || name == "tone spacing")
            return &s.m_dShift;
        if (name == "bandwidth")
            return &s.m_dBandwidth;
        return nullptr;
    };
    std::erase_if(notes.numbers, [&member](const std::pair<const char*, std::string>& note) {
        const double* value = member(note.first);
        return value != nullptr && *value == -1 && note.second == "0";
    });
}

bool CSignalXml::WriteXml(std::string& out, const CSignalDescription& s, const char** unwritable) {
    thread_local EncodedTexts texts;
    if (const char* field = EncodeTexts(s, texts)) {
        if (unwritable)
            *unwritable = field;
        return false;
    }
    std::string& ascii = ScratchBuffers().utf8;
    const SignalWildcards restores = s.RestoredWildcards();
    out += "    <Signal";
    AppendAttribute(out, "Name", texts.name);
    // A decoder or modulation this version does not know is written back as it was read.
    if (s.m_nMode == 0 && s.m_nUnknownMode != 0) {
        AppendAttribute(out, "Mode", UnknownName(s.m_nUnknownMode));
    } else {
        EncodeUtf8(s.GetModeName(), ascii);
        AppendAttribute(out, "Mode", ascii);
    }
    if (s.m_nModulation == 0 && s.m_nUnknownModulation != 0) {
        AppendAttribute(out, "Modulation", UnknownName(s.m_nUnknownModulation));
    } else {
        EncodeUtf8(s.GetModulationName(), ascii);
        AppendAttribute(out, "Modulation", ascii);
    }
    AppendAttribute(out, "Disabled", s.m_bDisabled ? "1" : "0");
    if (s.m_pKept)
        out += s.m_pKept->attributes;
    out += ">\n";
    const std::size_t children = out.size();

    if (!texts.itu.empty())
        AppendChild(out, "ITU", texts.itu);
    if (!texts.comment.empty())
        AppendChild(out, "Comment", texts.comment);
    if (s.m_nModulation == ModulationOfdm && s.m_nSubmode != 0) {
        EncodeUtf8(s.GetSubcarrierName(), ascii);
        AppendChild(out, "Submode", ascii);
    }
    if (Written(s.m_dBaudrate, restores.baudrate))
        AppendReal(out, "Baudrate", s.m_dBaudrate);
    if (Written(s.m_dShift, restores.shift))
        AppendReal(out, s.m_nModulation == ModulationMfsk ? "Spacing" : "Shift", s.m_dShift);
    if (Written(s.m_dBandwidth, restores.bandwidth))
        AppendReal(out, "Bandwidth", s.m_dBandwidth);
    if (s.m_nNumTones != 0)
        AppendInt(out, "NumTones", s.m_nNumTones);
    if (s.m_nModulation != ModulationMfsk && !texts.spacing.empty())
        AppendChild(out, "Spacing", texts.spacing);
    if (s.m_nNumChannels != 0)
        AppendInt(out, "NumChannels", s.m_nNumChannels);
    if (Written(s.m_dPilotFrequency, false))
        AppendReal(out, "PilotFrequency", s.m_dPilotFrequency);
    if (s.m_nNumChannelsMin != 0)
        AppendInt(out, "NumChannelsMin", s.m_nNumChannelsMin);
    if (s.m_nNumTonesMin != 0)
        AppendInt(out, "NumTonesMin", s.m_nNumTonesMin);
    if (s.m_nCodecheckCounter != 0)
        AppendInt(out, "CodecheckCounter", s.m_nCodecheckCounter);
    if (s.m_pKept)
        out += s.m_pKept->children;

    if (out.size() == children) {
        // No child: the element closes itself (its ">\n" becomes "/>\n").
        out.replace(children - 2, 2, "/>\n");
    } else {
        out += "    </Signal>\n";
    }
    return true;
}
