#include "platform/data/Values.h"

#include "platform/data/DbError.h"
#include "platform/data/Format.h"
#include "platform/gbk.h"

#include <QDate>
#include <QDateTime>

namespace {

[[noreturn]] void refuse(const ColumnDef &c, const QString &value, const QString &why)
{
    throw DbError(QStringLiteral("“%1”不能保存“%2”：%3").arg(c.name, value, why));
}

} // namespace

QVariant storageValue(const ColumnDef &c, const QVariant &value)
{
    if (value.isNull())
        return QVariant();
    const int type = value.typeId();
    switch (c.type) {
    case ColumnType::Text: {
        // Text bound by a window is text, also when empty: never NULL.
        const QString text = value.toString().isNull() ? QStringLiteral("") : value.toString();
        const QString bad = gbk::firstUnencodable(text);
        if (!bad.isEmpty())
            refuse(c, text, QStringLiteral("字符“%1”不能以GBK编码保存。").arg(bad));
        if (c.width > 0 && gbk::byteLength(text) > c.width)
            refuse(c, text, QStringLiteral("长度超过%1个字节（一个汉字占2个字节）。").arg(c.width));
        return text;
    }
    case ColumnType::Date: {
        if (type == QMetaType::QDate)
            return Format::isoDate(value.toDate());
        if (type == QMetaType::QDateTime)
            return Format::isoDate(value.toDateTime().date());
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto d = Format::parseDate(text))
            return Format::isoDate(*d);
        refuse(c, text, QStringLiteral("不是有效的日期，请按“年/月/日”输入，例如2026/12/9。"));
    }
    case ColumnType::Amount: {
        if (type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong)
            return value.toDouble();
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto v = Format::parseAmount(text))
            return *v;
        refuse(c, text, QStringLiteral("不是有效的金额，请输入数字。"));
    }
    case ColumnType::Integer: {
        if (type == QMetaType::Int || type == QMetaType::LongLong)
            return value.toLongLong();
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto v = Format::parseInteger(text))
            return *v;
        refuse(c, text, QStringLiteral("不是整数。"));
    }
    }
    return value;
}

QString displayText(const ColumnDef &c, const QVariant &value)
{
    return Format::display(value, c.type == ColumnType::Date, c.type == ColumnType::Amount);
}
