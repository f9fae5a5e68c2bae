#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// A PDF read back as pdftotext reads it.
namespace PdfText {

// The text of each page, laid out as on paper.
QStringList pages(const QString &path);

// A word with its page (from 1) and its box in millimetres from the page's top left.
struct Word {
    int page;
    QString text;
    QRectF mm;
};
QList<Word> words(const QString &path);

} // namespace PdfText
