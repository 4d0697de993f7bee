#include "NativePath.h"

namespace {

bool IsEscapedByte(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

// Length of the valid UTF-8 sequence at text[i], or 0.
qsizetype Utf8Length(const QByteArray& text, qsizetype i) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    const qsizetype n = text.size();
    if (c < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t min = 0;
    char32_t value = 0;
    if ((c & 0xE0) == 0xC0) {
        length = 2;
        min = 0x80;
        value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3;
        min = 0x800;
        value = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4;
        min = 0x10000;
        value = c & 0x07;
    } else {
        return 0;
    }
    if (i + length > n)
        return 0;
    for (qsizetype k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < min || value > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

QByteArray NativePath(const QString& path) {
    QByteArray native;
    native.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsEscapedByte(path[i].unicode()))
            continue;
        native += path.mid(start, i - start).toUtf8();
        if (i < path.size())
            native += static_cast<char>(path[i].unicode() - 0xDC00);
        start = i + 1;
    }
    return native;
}

QString PathFromNative(const QByteArray& native) {
    QString path;
    path.reserve(native.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < native.size();) {
        const qsizetype length = Utf8Length(native, i);
        if (length > 0) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(native.mid(start, i - start));
        path += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(native[i])));
        start = ++i;
    }
    path += QString::fromUtf8(native.mid(start));
    return path;
}

bool QtCanName(const QString& path) {
    for (const QChar c : path) {
        if (IsEscapedByte(c.unicode()))
            return false;
    }
    return true;
}

QByteArray FolderOf(const QByteArray& native) {
    const qsizetype slash = native.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : native.left(slash);
}
