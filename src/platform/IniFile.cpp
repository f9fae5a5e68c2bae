#include "platform/IniFile.h"

#include "platform/gbk.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <stdexcept>

namespace {

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = gbk::decode(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isSection(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// Key of a "key=value" line, or an empty string for other lines.
QString keyOf(const QString &line, QString *value = nullptr)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return QString();
    if (value)
        *value = line.mid(eq + 1);
    return line.left(eq).trimmed();
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    QString current;
    for (const QString &line : readLines(m_path)) {
        QString name;
        if (isSection(line, &name)) {
            current = name;
            continue;
        }
        QString value;
        if (current.compare(section, Qt::CaseInsensitive) == 0
            && keyOf(line, &value).compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return fallback;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QStringList lines = readLines(m_path);
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionEnd = -1; // line after the last line of the section
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSection(lines[i], &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (keyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0) {
            lines[i] = entry;
            sectionEnd = -2;
            break;
        }
        if (!lines[i].trimmed().isEmpty())
            sectionEnd = i + 1;
    }
    if (sectionEnd == -1) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else if (sectionEnd >= 0) {
        lines.insert(sectionEnd, entry);
    }

    const auto bytes = gbk::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    if (!bytes)
        throw std::runtime_error("配置文件只能保存GBK字符");
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size() || !f.commit())
        throw std::runtime_error(QStringLiteral("无法写入配置文件：%1").arg(m_path).toStdString());
}
