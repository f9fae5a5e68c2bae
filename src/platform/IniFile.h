#pragma once

#include <QString>

// An INI file read and written one string at a time, in GBK on disk. Writing a
// key keeps every other line of the file as it was.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString readString(const QString &section, const QString &key, const QString &fallback = QString()) const;
    // Throws std::runtime_error when the file cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value);

    const QString &path() const { return m_path; }

private:
    QString m_path;
};
