#pragma once

#include <QString>

// The current user of this run. The main window's hidden label Label1 shows
// the same name; before a login it is "Label1".
namespace Session {
QString userName();
void setUserName(const QString &name);
} // namespace Session
