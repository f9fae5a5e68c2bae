#include "shell/ShellConfig.h"

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ShellConfig {
namespace {
QString &overridden()
{
    static QString dir;
    return dir;
}

const QString kSection = QStringLiteral("KD");
const QString kDatabase = QStringLiteral("database");
const QString kUser = QStringLiteral("user");
const QString kPassword = QStringLiteral("password");
} // namespace

QString directory()
{
    return overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
}

void setDirectory(const QString &dir) { overridden() = dir; }

QString kdIniPath() { return QDir(directory()).filePath(QStringLiteral("KD.ini")); }

Settings readSettings()
{
    const IniFile ini(kdIniPath());
    return {ini.readString(kSection, kDatabase).trimmed(), ini.readString(kSection, kUser).trimmed(),
            ini.readString(kSection, kPassword).trimmed()};
}

void writeSettings(const Settings &settings)
{
    IniFile ini(kdIniPath());
    ini.writeString(kSection, kDatabase, settings.database.trimmed());
    ini.writeString(kSection, kUser, settings.user.trimmed());
    ini.writeString(kSection, kPassword, settings.password.trimmed());
}

QString databaseFile(const Settings &settings)
{
    if (settings.database.isEmpty())
        return settings.database;
    return QDir(QFileInfo(kdIniPath()).absolutePath()).absoluteFilePath(settings.database);
}
} // namespace ShellConfig
