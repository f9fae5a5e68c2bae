#include "platform/gbk.h"

#include <QList>

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace gbk {
namespace {

// One iconv conversion of a whole buffer; nothing when a character fails.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::vector<char> out(static_cast<size_t>(in.size()) * 4 + 16);
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return std::nullopt;
    return QByteArray(out.data(), static_cast<qsizetype>(out.size() - outLeft));
}

int charBytes(char32_t c)
{
    if (c < 0x80)
        return 1;
    const QString s = QString::fromUcs4(&c, 1);
    const auto b = encode(s);
    return b ? int(b->size()) : 2;
}

} // namespace

std::optional<QByteArray> encode(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    // GBK here means code page 936: the euro sign at 0x80 included.
    return convert("CP936", "UTF-8", text.toUtf8());
}

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    const auto utf8 = convert("UTF-8", "CP936", bytes);
    return utf8 ? QString::fromUtf8(*utf8) : QString::fromLatin1(bytes);
}

bool canEncode(const QString &text)
{
    return encode(text).has_value();
}

int byteLength(const QString &text)
{
    if (const auto b = encode(text))
        return int(b->size());
    int n = 0;
    for (char32_t c : text.toUcs4())
        n += charBytes(c);
    return n;
}

QString midBytes(const QString &text, int position, int count)
{
    QString result;
    int offset = 1; // byte position of the current character
    const int end = position + count;
    for (char32_t c : text.toUcs4()) {
        const int w = charBytes(c);
        if (offset >= position && offset + w <= end)
            result += QString::fromUcs4(&c, 1);
        offset += w;
        if (offset >= end)
            break;
    }
    return result;
}

QString leftBytes(const QString &text, int maxBytes)
{
    return midBytes(text, 1, maxBytes);
}

QString firstUnencodable(const QString &text)
{
    for (char32_t c : text.toUcs4()) {
        const QString s = QString::fromUcs4(&c, 1);
        if (c >= 0x80 && !encode(s))
            return s;
    }
    return QString();
}

} // namespace gbk
