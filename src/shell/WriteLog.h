#pragma once

#include <QString>

// Adds one audit-log entry to 日志. Throws DbError when it cannot be written.
void WriteLog(const QString &name, const QString &time, const QString &action);

// The time stamp of the audit log and the status bar: "yyyy年mm月dd日 hh:mm:ss".
QString logTimeNow();
