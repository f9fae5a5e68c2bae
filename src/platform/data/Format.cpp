#include "platform/data/Format.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace Format {

QString amount(double value)
{
    // Amounts are exact to 0.0001; rounding there hides floating-point noise
    // (0.1 + 0.2 shows 0.3), and 15 significant digits keep large sums whole.
    double rounded = std::round(value * 10000.0) / 10000.0;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0"
    return QString::number(rounded, 'g', 15);
}

QString date(const QDate &d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy/M/d")) : QString();
}

QString isoDate(const QDate &d)
{
    return d.toString(Qt::ISODate);
}

QString display(const QVariant &value, bool isDate, bool isAmount)
{
    if (value.isNull())
        return QString();
    if (isAmount) {
        bool ok = false;
        const double v = value.toDouble(&ok);
        return ok ? amount(v) : value.toString();
    }
    if (isDate) {
        const QString text = value.toString();
        const QDate d = QDate::fromString(text, Qt::ISODate);
        return d.isValid() ? date(d) : text;
    }
    if (value.typeId() == QMetaType::Double)
        return amount(value.toDouble());
    return value.toString();
}

std::optional<double> parseAmount(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(t).hasMatch())
        return std::nullopt;
    const double v = t.toDouble();
    if (!std::isfinite(v))
        return std::nullopt;
    return std::round(v * 10000.0) / 10000.0;
}

std::optional<QDate> parseDate(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression form(QStringLiteral("^(\\d{4})[/-](\\d{1,2})[/-](\\d{1,2})$"));
    const auto m = form.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<qlonglong> parseInteger(const QString &text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace Format
