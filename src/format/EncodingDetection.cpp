#include "EncodingDetection.h"

#include "Transcoder.h"

#include <QCoreApplication>

#include <cstring>

namespace {

bool StartsWith(const QByteArray& head, const char* bytes, qsizetype length) {
    return head.size() >= length && std::memcmp(head.constData(), bytes, length) == 0;
}

// The encoding an EBCDIC document declares, read through the invariant EBCDIC letters.
std::string EbcdicDeclaredEncoding(const QByteArray& head) {
    Transcoder ebcdic("IBM037");
    std::string text;
    const qsizetype end = head.indexOf('\x6E'); // '>' in EBCDIC
    if (!ebcdic.IsOpen() || end < 0 || !ebcdic.Convert(head.left(end + 1), true, text))
        return {};
    const std::size_t at = text.find("encoding");
    if (at == std::string::npos)
        return {};
    const std::size_t open = text.find_first_of("\"'", at);
    const std::size_t close = open == std::string::npos ? open : text.find(text[open], open + 1);
    return close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

} // namespace

bool EncodingFromFirstBytes(const QByteArray& first, const QString& name, std::string& encoding,
                            QString& error) {
    if (StartsWith(first, "\x00\x00\xFE\xFF", 4) || StartsWith(first, "\xFF\xFE\x00\x00", 4) ||
        StartsWith(first, "\x00\x00\x00\x3C", 4) || StartsWith(first, "\x3C\x00\x00\x00", 4)) {
        error = QCoreApplication::translate("SignalFileReader",
                                            "%1: the file is in UTF-32, which is not supported")
                    .arg(name);
        return false;
    }
    if (StartsWith(first, "\x4C\x6F\xA7\x94", 4)) {
        encoding = EbcdicDeclaredEncoding(first);
        if (encoding.empty()) {
            error =
                QCoreApplication::translate(
                    "SignalFileReader", "%1: an EBCDIC document that does not declare its encoding")
                    .arg(name);
            return false;
        }
    }
    return true;
}

// The editor reads XML 1.0 only, as it writes it.
QString DeclarationConflict(const QByteArray& head, const char* version, const char* encoding) {
    if (version && std::strcmp(version, "1.0") != 0)
        return QCoreApplication::translate("SignalFileReader", "XML version %1 is not supported")
            .arg(QString::fromUtf8(version));
    if (encoding == nullptr)
        return {};
    const QByteArray declared = QByteArray(encoding).toUpper();
    if (StartsWith(head, "\xEF\xBB\xBF", 3) && declared != "UTF-8")
        return QCoreApplication::translate(
                   "SignalFileReader", "the byte-order mark says UTF-8, the declaration says %1")
            .arg(QString::fromUtf8(encoding));
    if ((StartsWith(head, "\xFE\xFF", 2) || StartsWith(head, "\xFF\xFE", 2)) &&
        !declared.startsWith("UTF-16"))
        return QCoreApplication::translate(
                   "SignalFileReader", "the byte-order mark says UTF-16, the declaration says %1")
            .arg(QString::fromUtf8(encoding));
    return {};
}

bool EncodingSupported(const std::string& encoding) {
    const QByteArray upper = QByteArray::fromStdString(encoding).toUpper();
    return !upper.startsWith("UTF-32") && !upper.startsWith("UCS-4") && !upper.startsWith("UCS4") &&
           Transcoder(encoding.c_str()).IsOpen();
}

bool StartsAsUtf16(const QByteArray& first) {
    return StartsWith(first, "\xFE\xFF", 2) || StartsWith(first, "\xFF\xFE", 2) ||
           StartsWith(first, "\x00\x3C", 2) || StartsWith(first, "\x3C\x00", 2);
}
