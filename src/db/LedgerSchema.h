#pragma once

#include "platform/data/Schema.h"
#include "platform/data/SchemaUpgrade.h"

#include <QStringList>

// The ledger's tables, columns in stored order, and indexes: the one source
// of truth for kadero-newdb and for the data layer's conversions.
const Schema &ledgerSchema();

// The schema's history since the first delivered ledgers (version 1): one
// step per change, each with a test that upgrades a ledger of the version
// before. A step names the tables and indexes it changes; SchemaEditor gives
// them the structure declared above, so a step need not know later ones.
const QList<SchemaStep> &ledgerUpgrades();

// A user's row (工号, 部门, 姓名, 性别, 密码) and one right of a user (工号,
// 权限名称): the program and a new database add them alike.
Statement insertUserStatement();
Statement insertRightStatement();

// Internal settings table (the database password's hash); not a ledger table.
inline constexpr const char *kSettingsTable = "kd_settings";
