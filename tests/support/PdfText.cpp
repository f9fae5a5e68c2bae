#include "support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace PdfText {
namespace {
QString run(const QString &option, const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {option, path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("pdftotext failed");
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

QStringList pages(const QString &path)
{
    QStringList pages = run(QStringLiteral("-layout"), path).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QList<Word> words(const QString &path)
{
    static const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QString html = run(QStringLiteral("-bbox"), path);
    QList<Word> found;
    int page = 0;
    const double mm = 25.4 / 72.0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        found.append({page, m.captured(5),
                      QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                             QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm))});
    }
    return found;
}

} // namespace PdfText
