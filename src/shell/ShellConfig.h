#pragma once

#include <QString>

// Where the program keeps KD.ini and where a new user's ledger goes.
//
// KD.ini beside the program is read first. When it is not there and the
// program's folder is not the user's own (it cannot be written, or it is the
// bin folder of an installed program), KD.ini lives in the user's
// configuration folder and a new ledger is proposed in the user's data folder
// (XDG rules: ~/.config/kadero, ~/.local/share/kadero).
namespace ShellConfig {
// The program's folder. Tests point it at a temporary folder.
QString directory();
void setDirectory(const QString &dir); // empty: back to the executable's folder
QString kdIniPath();
// Whether KD.ini lives beside the program rather than in the user's folder.
bool besideProgram();
// The ledger a new user of an installed program is offered at the first
// start; empty when KD.ini lives beside the program or already exists.
QString proposedDatabase();

// The database settings kept in KD.ini, each value trimmed.
struct Settings {
    QString database;
    QString user;
    QString password;
};
Settings readSettings();
// Creates the folder of KD.ini when it is missing.
void writeSettings(const Settings &settings);
// The database file named by the settings: a relative path is taken from the
// folder of KD.ini, not from the working folder.
QString databaseFile(const Settings &settings);
} // namespace ShellConfig

inline constexpr const char *kApplicationTitle = "KaderoV1.5（ACCESS单机版）";
