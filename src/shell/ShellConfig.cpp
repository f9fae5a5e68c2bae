#include "shell/ShellConfig.h"

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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
const QString kFolder = QStringLiteral("kadero");

QString userFolder(QStandardPaths::StandardLocation location)
{
    return QDir(QStandardPaths::writableLocation(location)).filePath(kFolder);
}

// An installed program's folder is not the user's even when it can be written
// (root, or an installation into the user's own ~/.local): the package
// manager or `make uninstall` owns it. The desktop entry beside it says so.
bool isInstalledProgramFolder(const QString &dir)
{
    return QFileInfo::exists(QDir(dir).filePath(QStringLiteral("../share/applications/kadero.desktop")));
}

// Asks the file system rather than the permission bits, which say yes to root
// even where nothing can be made.
bool canWriteInto(const QString &dir)
{
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("KD-XXXXXX.tmp")));
    return probe.open();
}
} // namespace

QString directory()
{
    return overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
}

void setDirectory(const QString &dir) { overridden() = dir; }

bool besideProgram()
{
    const QString dir = directory();
    return QFileInfo::exists(QDir(dir).filePath(QStringLiteral("KD.ini")))
           || (!isInstalledProgramFolder(dir) && canWriteInto(dir));
}

QString kdIniPath()
{
    const QString dir = besideProgram() ? directory() : userFolder(QStandardPaths::GenericConfigLocation);
    return QDir(dir).filePath(QStringLiteral("KD.ini"));
}

QString proposedDatabase()
{
    // Only at the first start: a user whose ledger cannot be reached is not
    // offered a new, empty one in its place.
    if (besideProgram() || QFileInfo::exists(kdIniPath()))
        return QString();
    return QDir(userFolder(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("kadero.db"));
}

Settings readSettings()
{
    const IniFile ini(kdIniPath());
    return {ini.readString(kSection, kDatabase).trimmed(), ini.readString(kSection, kUser).trimmed(),
            ini.readString(kSection, kPassword).trimmed()};
}

void writeSettings(const Settings &settings)
{
    const QString path = kdIniPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    IniFile ini(path);
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
