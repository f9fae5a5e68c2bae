#pragma once

#include "platform/data/Schema.h"

#include <QStringList>

// The ledger's tables, columns in stored order, and indexes: the one source
// of truth for kadero-newdb and for the data layer's conversions.
const Schema &ledgerSchema();

// The fifteen right names, in the order the rights window lists them.
const QStringList &rightNames();

// Internal settings table (the database password's hash); not a ledger table.
inline constexpr const char *kSettingsTable = "kd_settings";
