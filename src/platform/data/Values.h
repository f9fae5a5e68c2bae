#pragma once

#include "platform/data/Schema.h"

#include <QVariant>

// Turns what a user typed (or a program bound) into the value a column
// stores. Throws DbError naming the column and the value when the column
// cannot take it: a text that is no number or date, too many GBK bytes, or a
// character that GBK cannot write.
QVariant storageValue(const ColumnDef &column, const QVariant &value);

// The text a stored value is shown as.
QString displayText(const ColumnDef &column, const QVariant &value);
