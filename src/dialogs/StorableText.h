#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QValidator>

// Text fields take only what a database file can carry: no control characters (tab and
// line breaks only where the field is multi-line), no unpaired surrogates, no U+FFFE or
// U+FFFF; and a length limit never splits a surrogate pair.

// The text without what the file cannot carry, cut to at most limit code units.
QString StorableText(const QString& text, qsizetype limit, bool multiLine);

// For a single-line edit: what is typed or pasted is cleaned as StorableText does.
class CStorableTextValidator : public QValidator {
    Q_OBJECT
public:
    CStorableTextValidator(qsizetype limit, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    qsizetype m_nLimit;
};

// The comments edit: pasted or dropped text is cleaned and cut to the room that is left.
class CCommentEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    CCommentEdit(qsizetype limit, QWidget* parent);

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    qsizetype m_nLimit;
};
