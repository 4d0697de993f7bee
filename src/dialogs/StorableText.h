#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QValidator>

// Text fields take only what a database file can carry: no control characters (tab only in
// one-line fields, tab and line breaks where the field is multi-line), no unpaired
// surrogates, no U+FFFE or U+FFFF; and a length limit never splits a surrogate pair.

// The text without what the file cannot carry, cut to at most limit code units.
QString StorableText(const QString& text, qsizetype limit, bool multiLine);

// For a one-line edit: what is typed or pasted is first cleaned as StorableText does, then cut
// to the room the rest of the text leaves; what was there stays as it was (a stored tab too).
// The edit's own length limit is lifted, so that nothing is cut before it is cleaned.
class CStorableTextValidator : public QValidator {
    Q_OBJECT
public:
    CStorableTextValidator(qsizetype limit, QLineEdit* edit);
    State validate(QString& input, int& pos) const override;

private:
    qsizetype m_nLimit;
    mutable QString m_accepted; // the edit's text before the change being validated
};

// The comments edit. It gives back exactly the comment it was given, with only the user's
// changes applied: the characters the text control turns into paragraph breaks (CR LF, CR,
// LF, U+2029, U+FDD0, U+FDD1) keep their own form outside the edited part, and new breaks take
// the comment's line-break form. What is typed, pasted, dropped or inserted is cleaned and
// stops at the limit (never splitting a surrogate pair).
class CCommentEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    CCommentEdit(qsizetype limit, QWidget* parent);

    void SetComment(const QString& comment);
    QString Comment() const;
    // Code units the comment may still grow by.
    qsizetype Room() const { return m_nLimit - Comment().size(); }

signals:
    void roomChanged(qsizetype room);

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    void OnContentsChange(int position, int removed, int added);

    qsizetype m_nLimit;
    QStringList m_tokens; // the comment as filled: one entry per character of the control
    QString m_filled;     // the control's raw text as filled
    QString m_break;      // the line-break form new breaks take
    bool m_bTrimming = false;
};
