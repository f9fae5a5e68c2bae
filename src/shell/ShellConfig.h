#pragma once

#include <QString>

// Where the program keeps KD.ini: the folder of the executable. Tests point
// it at a temporary folder.
namespace ShellConfig {
QString directory();
void setDirectory(const QString &dir); // empty: back to the executable's folder
QString kdIniPath();

// The database settings kept in KD.ini, each value trimmed.
struct Settings {
    QString database;
    QString user;
    QString password;
};
Settings readSettings();
void writeSettings(const Settings &settings);
// The database file named by the settings: a relative path is taken from the
// folder of KD.ini, not from the working folder.
QString databaseFile(const Settings &settings);
} // namespace ShellConfig

inline constexpr const char *kApplicationTitle = "KaderoV1.5（ACCESS单机版）";
