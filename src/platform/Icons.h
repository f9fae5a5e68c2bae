#pragma once

#include <QIcon>
#include <QString>

// The program's own pictures (resources/icons), by file name without ".png".
inline QString iconFile(const char *name)
{
    return QStringLiteral(":/icons/%1.png").arg(QLatin1String(name));
}

inline QIcon ownIcon(const char *name)
{
    return QIcon(iconFile(name));
}
