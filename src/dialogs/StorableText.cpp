#include "StorableText.h"

#include <QMimeData>
#include <QTextCursor>

namespace {

bool Storable(char16_t c, bool multiLine) {
    if (c < 0x20)
        return multiLine && (c == u'\t' || c == u'\n' || c == u'\r');
    return c != 0xFFFE && c != 0xFFFF;
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

CStorableTextValidator::CStorableTextValidator(qsizetype limit, QObject* parent)
    : QValidator(parent), m_nLimit(limit) {}

QValidator::State CStorableTextValidator::validate(QString& input, int& pos) const {
    const QString clean = StorableText(input, m_nLimit, false);
    if (clean != input) {
        // Keep the cursor after what stays of the text before it.
        pos = static_cast<int>(StorableText(input.left(pos), m_nLimit, false).size());
        input = clean;
    }
    return Acceptable;
}

CCommentEdit::CCommentEdit(qsizetype limit, QWidget* parent)
    : QPlainTextEdit(parent), m_nLimit(limit) {}

void CCommentEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText())
        return;
    const QTextCursor cursor = textCursor();
    const qsizetype kept = toPlainText().size() - (cursor.selectionEnd() - cursor.selectionStart());
    const QString text =
        StorableText(source->text(), std::max<qsizetype>(0, m_nLimit - kept), true);
    if (!text.isEmpty())
        insertPlainText(text);
}
