#pragma once

#include <QString>

// Where the program keeps KD.ini: the folder of the executable. Tests point
// it at a temporary folder.
namespace ShellConfig {
QString directory();
void setDirectory(const QString &dir); // empty: back to the executable's folder
QString kdIniPath();
} // namespace ShellConfig

inline constexpr const char *kApplicationTitle = "KaderoV1.5（ACCESS单机版）";
