#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Code page 936 (GBK): the byte lengths and byte positions that the ledger
// counts, an ASCII character one byte and a Chinese character two.
namespace gbk {

// The GBK bytes of a text, or nothing when some character has no GBK form.
std::optional<QByteArray> encode(const QString &text);
QString decode(const QByteArray &bytes);

bool canEncode(const QString &text);

// Byte length of the GBK form. A character without one counts as two bytes,
// so the length of such a text is still meaningful for width checks.
int byteLength(const QString &text);

// The characters that lie in bytes [position, position + count) of the GBK
// form, 1-based like the string functions that count bytes. Bytes past the
// end give nothing; a character cut in half is left out.
QString midBytes(const QString &text, int position, int count);

// The first characters of a text whose GBK form fits in maxBytes.
QString leftBytes(const QString &text, int maxBytes);

// First character that cannot be written in GBK, or an empty string.
QString firstUnencodable(const QString &text);

} // namespace gbk
