#include "shell/ShellConfig.h"

#include <QCoreApplication>
#include <QDir>

namespace ShellConfig {
namespace {
QString &overridden()
{
    static QString dir;
    return dir;
}
} // namespace

QString directory()
{
    return overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
}

void setDirectory(const QString &dir) { overridden() = dir; }

QString kdIniPath() { return QDir(directory()).filePath(QStringLiteral("KD.ini")); }
} // namespace ShellConfig
