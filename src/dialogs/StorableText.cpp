#include "StorableText.h"

#include "SignalText.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace {

// What the file can hold, less the line breaks of a one-line field.
bool Storable(char16_t c, bool multiLine) {
    return IsXmlCodeUnit(c) && (multiLine || (c != u'\n' && c != u'\r'));
}

// How many code units a change left alone at the start and at the end of a text: the change
// lies between them.
std::pair<qsizetype, qsizetype> UnchangedEnds(const QString& before, const QString& after) {
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(after.size(), before.size());
    while (prefix < shorter && after[prefix] == before[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           after[after.size() - 1 - suffix] == before[before.size() - 1 - suffix])
        ++suffix;
    return {prefix, suffix};
}

} // namespace

QString StorableText(const QString& text, qsizetype limit, bool multiLine) {
    QString out;
    out.reserve(std::min(text.size(), limit));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            if (out.size() + 2 > limit)
                break;
            out += c;
            out += text[++i];
            continue;
        }
        if (c.isSurrogate() || !Storable(c.unicode(), multiLine))
            continue;
        if (out.size() + 1 > limit)
            break;
        out += c;
    }
    return out;
}

CStorableTextValidator::CStorableTextValidator(qsizetype limit, QLineEdit* edit)
    : QValidator(edit), m_nLimit(limit), m_accepted(edit->text()) {
    edit->setMaxLength(32767);
    // Text set by the program is not validated: it is what was there before the next change.
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_accepted = text; });
}

QValidator::State CStorableTextValidator::validate(QString& input, int& pos) const {
    auto [prefix, suffix] = UnchangedEnds(m_accepted, input);
    // A cut must not split a surrogate pair of the text that stays.
    if (prefix > 0 && input[prefix - 1].isHighSurrogate())
        --prefix;
    if (suffix > 0 && input[input.size() - suffix].isLowSurrogate())
        --suffix;
    const QString head = input.left(prefix);
    const QString tail = input.right(suffix);
    const QString added = input.mid(prefix, input.size() - prefix - suffix);
    const qsizetype room = std::max<qsizetype>(0, m_nLimit - head.size() - tail.size());
    const QString kept = StorableText(added, room, false);
    if (kept != added || head.size() + tail.size() > m_nLimit) {
        input = head + kept + tail;
        pos = static_cast<int>(head.size() + kept.size());
    }
    return Acceptable;
}

CCommentEdit::CCommentEdit(qsizetype limit, QWidget* parent)
    : QPlainTextEdit(parent), m_nLimit(limit), m_break(QStringLiteral("\n")) {
    connect(document(), &QTextDocument::contentsChange, this, &CCommentEdit::OnContentsChange);
}

void CCommentEdit::SetComment(const QString& comment) {
    // One token per character the control will hold: a CR LF pair is one paragraph break.
    m_tokens.clear();
    bool crlf = false;
    bool cr = false;
    bool lf = false;
    for (qsizetype i = 0; i < comment.size(); ++i) {
        if (comment[i] == u'\r' && i + 1 < comment.size() && comment[i + 1] == u'\n') {
            m_tokens << QStringLiteral("\r\n");
            crlf = true;
            ++i;
            continue;
        }
        cr = cr || comment[i] == u'\r';
        lf = lf || comment[i] == u'\n';
        m_tokens << QString(comment[i]);
    }
    m_break = crlf          ? QStringLiteral("\r\n")
              : (cr && !lf) ? QStringLiteral("\r")
                            : QStringLiteral("\n");
    m_bTrimming = true;
    setPlainText(comment);
    m_bTrimming = false;
    m_filled = document()->toRawText();
}

QString CCommentEdit::Comment() const {
    const QString now = document()->toRawText();
    if (now == m_filled)
        return m_tokens.join(QString());
    const auto [prefix, suffix] = UnchangedEnds(m_filled, now);
    QString comment;
    for (qsizetype i = 0; i < prefix && i < m_tokens.size(); ++i)
        comment += m_tokens[i];
    for (qsizetype i = prefix; i < now.size() - suffix; ++i)
        comment += now[i] == QChar::ParagraphSeparator ? m_break : QString(now[i]);
    for (qsizetype i = m_filled.size() - suffix; i < m_filled.size() && i < m_tokens.size(); ++i)
        comment += m_tokens[i];
    return comment;
}

void CCommentEdit::OnContentsChange(int position, int, int added) {
    if (m_bTrimming)
        return;
    qsizetype excess = -Room();
    if (excess > 0 && added > 0) {
        // Take back the end of what came in, whole characters only.
        m_bTrimming = true;
        QTextCursor cursor(document());
        const int end = position + added;
        int from = end;
        while (excess > 0 && from > position) {
            cursor.setPosition(from);
            cursor.movePosition(QTextCursor::PreviousCharacter);
            const int at = cursor.position();
            excess -= from - at;
            from = at;
        }
        cursor.setPosition(from);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_bTrimming = false;
    }
    emit roomChanged(Room());
}

void CCommentEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText())
        return;
    const QString text = StorableText(source->text(), m_nLimit, true);
    if (!text.isEmpty())
        insertPlainText(text); // the limit takes back what does not fit
}
