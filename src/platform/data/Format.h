#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

// How values are shown and read back: amounts in general number format, dates
// in the short date format yyyy/M/d (ISO yyyy-MM-dd is also read).
namespace Format {

QString amount(double value);
QString date(const QDate &date);
// Text of a stored value of the given logical kind.
QString display(const QVariant &value, bool isDate, bool isAmount);

std::optional<double> parseAmount(const QString &text);
std::optional<QDate> parseDate(const QString &text);
std::optional<qlonglong> parseInteger(const QString &text);

// The ISO text a date is stored as.
QString isoDate(const QDate &date);

} // namespace Format
