#pragma once

#include <QString>

// The resource path of one of the program's own icons, by its file name without ".png".
inline QString iconFile(const char *name)
{
    return QStringLiteral(":/icons/%1.png").arg(QLatin1String(name));
}
