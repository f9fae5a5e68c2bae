#pragma once

#include "platform/report/Expression.h"

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Dataset;
class QFontMetricsF;
class QPagedPaintDevice;
class QWidget;

// A small banded report: a page, bands that print in a fixed order, and items
// placed on them in millimetres. The detail band prints once per row of the
// dataset; the other bands print around it, and detail rows that do not fit
// continue on further pages.
namespace report {

enum class BandKind { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };

// Rules along the edges of a band.
struct Frame {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    double widthMm = pixelsToMm(1);

    static constexpr double pixelsToMm(double pixels) { return pixels * 25.4 / 96.0; }
    static Frame all(double widthMm = pixelsToMm(1)) { return {true, true, true, true, widthMm}; }
};

enum class ItemKind { Label, DataText, Expression, SystemData, Image, Rule };

// What a fixed-width item does with a text wider than its box.
enum class TextFit {
    Clip,     // shows what fits
    Round,    // a number loses decimals until it fits (never its whole part)
    Condense, // drawn narrower: every character stays
};
enum class SystemData { DateTime, PageNumber };

// One thing printed on a band. Positions are millimetres from the band's
// top-left corner; a width of 0 sizes the item to its text.
class Item
{
public:
    QString name;
    ItemKind kind = ItemKind::Label;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;          // 0: one line of the item's font (rules: the band's height)
    bool centredInBand = false; // left is ignored
    Qt::Alignment alignment = Qt::AlignLeft;
    TextFit fit = TextFit::Clip;                   // expressions: Round
    std::optional<QFont> font;                     // none: the report's base font

    QString caption;                               // Label
    QString field;                                 // DataText
    std::function<QString(const QVariant &)> format; // DataText; none: the dataset's display text
    QString expressionText;                        // Expression
    SystemData system = SystemData::DateTime;      // SystemData
    QImage image;                                  // Image
    double ruleWidthMm = Frame::pixelsToMm(1);     // Rule

    void setCaption(const QString &text) { caption = text; }
    bool autoSize() const { return width <= 0; }
};

class Band
{
public:
    Band(BandKind kind, const QString &name, double height) : kind(kind), name(name), height(height) {}

    BandKind kind;
    QString name;
    double height;
    Frame frame;
    std::vector<std::unique_ptr<Item>> items;

    Item *add(ItemKind kind, const QString &name, double left, double top, double width);
    Item *addLabel(const QString &name, const QString &caption, double left, double top, double width = 0);
    Item *addDataText(const QString &name, const QString &field, double left, double top, double width = 0);
    Item *addExpression(const QString &name, const QString &expression, double left, double top, double width = 0);
    Item *addSystemData(const QString &name, SystemData what, double left, double top, double width = 0);
    Item *addImage(const QString &name, const QImage &image, double left, double top, double width, double height);
    // A vertical rule over the band's full height.
    Item *addRule(const QString &name, double left);
};

// What one rendering drew, in millimetres from the paper's top-left corner.
struct DrawnText {
    int page;
    QString band;
    QString item;
    QString text;
    QRectF rect; // the item's box
    Qt::Alignment alignment;
    QFont font;
    double stretch = 1.0; // how much narrower than the font it was drawn
};
struct DrawnLine {
    int page;
    QString band;
    QString item; // empty for a band's frame
    QLineF line;
    double widthMm;
};
struct DrawnImage {
    int page;
    QString item;
    QRectF rect;
};

struct Rendering {
    int pageCount = 0;
    QList<DrawnText> texts;
    QList<DrawnLine> lines;
    QList<DrawnImage> images;
    // Bands in the order they printed: (page, band name, top in mm).
    struct BandPlacement {
        int page;
        QString band;
        double top;
    };
    QList<BandPlacement> bands;

    QList<DrawnText> textsOf(const QString &item) const;
    // The item's first drawing, or nullptr.
    const DrawnText *text(const QString &item, int page = 0) const;
};

class Report
{
public:
    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // The page: paper and margins in millimetres (A4 portrait, 10 mm by default).
    void setPage(const QPageSize &size, QPageLayout::Orientation orientation, const QMarginsF &marginsMm);
    QSizeF paperSizeMm() const;
    QMarginsF marginsMm() const { return m_margins; }
    double bandWidthMm() const;

    // The font of items that are given none of their own.
    void setBaseFont(const QFont &font) { m_baseFont = font; }
    QFont baseFont() const { return m_baseFont; }

    // The rows that drive the detail band. The report reads it and never
    // moves its cursor.
    void setDataset(Dataset *dataset) { m_dataset = dataset; }
    Dataset *dataset() const { return m_dataset; }

    // Adds a band; each kind exists once.
    Band *addBand(BandKind kind, const QString &name, double heightMm);
    Band *band(BandKind kind) const;
    Item *item(const QString &name) const;

    // Lays the report out on the device's pages and paints it. Throws
    // DbError when an expression cannot be evaluated or the device fails.
    Rendering render(QPagedPaintDevice *device) const;
    // Writes the report as a PDF file. Throws DbError.
    Rendering savePdf(const QString &path) const;

    // Shows the report in the print preview (modal); printing and saving as
    // PDF start from there. The report is laid out once first, so that a
    // failure is thrown here rather than inside the preview.
    void preview(QWidget *parent, const QString &title) const;

    // Tests replace the modal preview with a handler that sees the report.
    static void setPreviewHandler(std::function<void(const Report &)> handler);

private:
    QPageSize m_pageSize;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins;
    QFont m_baseFont;
    Dataset *m_dataset = nullptr;
    std::vector<std::unique_ptr<Band>> m_bands;
};

// A number in general format: up to 15 significant digits, no thousands
// separators, no trailing zeros.
QString generalNumber(double value);

// A number in general format shortened to fit a width: decimals are rounded
// away until it fits (never its whole part), so a figure is never cut off.
QString fittedNumber(const QString &general, const QFontMetricsF &metrics, double width);

} // namespace report
