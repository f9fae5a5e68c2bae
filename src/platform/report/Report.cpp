#include "platform/report/Report.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"
#include "platform/data/Format.h"

#include <QAction>
#include <QBuffer>
#include <QDateTime>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include <cmath>

namespace report {

namespace {

std::function<void(const Report &)> &previewHandler()
{
    static std::function<void(const Report &)> handler;
    return handler;
}

} // namespace

QString generalNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString fittedNumber(const QString &general, const QFontMetricsF &metrics, double width)
{
    if (metrics.horizontalAdvance(general) <= width)
        return general;
    bool ok = false;
    const double value = general.toDouble(&ok);
    const qsizetype point = general.indexOf(QLatin1Char('.'));
    if (!ok || point < 0 || general.contains(QLatin1Char('e')))
        return general;
    // Like a spreadsheet's general format: fewer decimals until it fits.
    for (qsizetype decimals = general.size() - point - 2; decimals >= 0; --decimals) {
        QString text = QString::number(value, 'f', int(decimals));
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        if (text == QLatin1String("-0"))
            text = QStringLiteral("0");
        if (metrics.horizontalAdvance(text) <= width || decimals == 0)
            return text;
    }
    return general;
}

// ---- bands and items -------------------------------------------------------

Item *Band::add(ItemKind kind, const QString &name, double left, double top, double width)
{
    auto item = std::make_unique<Item>();
    item->kind = kind;
    item->name = name;
    item->left = left;
    item->top = top;
    item->width = width;
    items.push_back(std::move(item));
    return items.back().get();
}

Item *Band::addLabel(const QString &name, const QString &caption, double left, double top, double width)
{
    Item *i = add(ItemKind::Label, name, left, top, width);
    i->caption = caption;
    return i;
}

Item *Band::addDataText(const QString &name, const QString &field, double left, double top, double width)
{
    Item *i = add(ItemKind::DataText, name, left, top, width);
    i->field = field;
    return i;
}

Item *Band::addExpression(const QString &name, const QString &expression, double left, double top, double width)
{
    Expression check(expression); // refuse a malformed expression when the layout is built
    Item *i = add(ItemKind::Expression, name, left, top, width);
    i->expressionText = expression;
    i->fit = TextFit::Round;
    return i;
}

Item *Band::addSystemData(const QString &name, SystemData what, double left, double top, double width)
{
    Item *i = add(ItemKind::SystemData, name, left, top, width);
    i->system = what;
    return i;
}

Item *Band::addImage(const QString &name, const QImage &image, double left, double top, double width, double height)
{
    Item *i = add(ItemKind::Image, name, left, top, width);
    i->image = image;
    i->height = height;
    return i;
}

Item *Band::addRule(const QString &name, double left)
{
    return add(ItemKind::Rule, name, left, 0, 0);
}

QList<DrawnText> Rendering::textsOf(const QString &item) const
{
    QList<DrawnText> out;
    for (const DrawnText &t : texts)
        if (t.item == item)
            out.append(t);
    return out;
}

const DrawnText *Rendering::text(const QString &item, int page) const
{
    for (const DrawnText &t : texts)
        if (t.item == item && (page == 0 || t.page == page))
            return &t;
    return nullptr;
}

// ---- the report ------------------------------------------------------------

Report::Report()
    : m_pageSize(QPageSize::A4), m_margins(10, 10, 10, 10)
{
}

Report::~Report() = default;

void Report::setPage(const QPageSize &size, QPageLayout::Orientation orientation, const QMarginsF &marginsMm)
{
    m_pageSize = size;
    m_orientation = orientation;
    m_margins = marginsMm;
}

QSizeF Report::paperSizeMm() const
{
    const QSizeF s = m_pageSize.size(QPageSize::Millimeter);
    return m_orientation == QPageLayout::Portrait ? s : s.transposed();
}

double Report::bandWidthMm() const
{
    return paperSizeMm().width() - m_margins.left() - m_margins.right();
}

Band *Report::addBand(BandKind kind, const QString &name, double heightMm)
{
    if (band(kind))
        throw DbError(QStringLiteral("报表已有这种带区：%1").arg(name));
    m_bands.push_back(std::make_unique<Band>(kind, name, heightMm));
    return m_bands.back().get();
}

Band *Report::band(BandKind kind) const
{
    for (const auto &b : m_bands)
        if (b->kind == kind)
            return b.get();
    return nullptr;
}

Item *Report::item(const QString &name) const
{
    for (const auto &b : m_bands)
        for (const auto &i : b->items)
            if (i->name == name)
                return i.get();
    return nullptr;
}

namespace {

// Paints bands onto the pages of one device and records what it drew.
class Painter
{
public:
    Painter(const Report &report, QPagedPaintDevice *device, QPainter *painter)
        : m_report(report), m_device(device), m_painter(painter),
          m_dotsPerMm(device->logicalDpiX() / 25.4), m_now(QDateTime::currentDateTime())
    {
    }

    Rendering run()
    {
        const Dataset *data = m_report.dataset();
        const int rows = data && data->isOpen() ? data->recordCount() : 0;
        const Band *detail = m_report.band(BandKind::Detail);
        const Band *summary = m_report.band(BandKind::Summary);
        const Band *footer = m_report.band(BandKind::PageFooter);
        const double paperHeight = m_report.paperSizeMm().height();
        m_footerTop = paperHeight - m_report.marginsMm().bottom() - (footer ? footer->height : 0);

        m_scope.dataset = data;
        m_scope.currentRow = rows > 0 ? 0 : -1;
        startPage();
        for (int row = 0; row < rows; ++row) {
            m_scope.currentRow = row;
            if (detail) {
                if (m_y + detail->height > m_footerTop + 1e-6 && m_detailsOnPage > 0) {
                    endPage();
                    startPage();
                }
                m_scope.printedRows = row + 1;
                print(*detail);
                ++m_detailsOnPage;
            } else {
                m_scope.printedRows = row + 1;
            }
        }
        if (summary) {
            if (m_y + summary->height > m_footerTop + 1e-6) {
                endPage();
                startPage();
            }
            print(*summary);
        }
        endPage();
        m_out.pageCount = m_page;
        return m_out;
    }

private:
    double px(double mm) const { return mm * m_dotsPerMm; }
    QRectF pxRect(const QRectF &mm) const { return QRectF(px(mm.x()), px(mm.y()), px(mm.width()), px(mm.height())); }

    void startPage()
    {
        ++m_page;
        if (m_page > 1 && !m_device->newPage())
            throw DbError(QStringLiteral("不能开始报表的新一页。"));
        m_y = m_report.marginsMm().top();
        m_detailsOnPage = 0;
        if (const Band *b = m_report.band(BandKind::PageHeader))
            print(*b);
        if (m_page == 1)
            if (const Band *b = m_report.band(BandKind::Title))
                print(*b);
        if (const Band *b = m_report.band(BandKind::ColumnHeader))
            print(*b);
    }

    void endPage()
    {
        if (const Band *b = m_report.band(BandKind::PageFooter)) {
            m_y = m_footerTop;
            print(*b);
        }
    }

    QFont fontOf(const Item &item) const
    {
        return item.font ? *item.font : m_report.baseFont();
    }

    QString textOf(const Item &item) const
    {
        switch (item.kind) {
        case ItemKind::Label:
            return item.caption;
        case ItemKind::DataText: {
            const Dataset *data = m_scope.dataset;
            if (!data || !data->isOpen())
                throw DbError(QStringLiteral("报表的数据集没有打开。"));
            const int column = data->fieldIndex(item.field);
            if (column < 0)
                throw DbError(QStringLiteral("报表的数据集中没有字段“%1”。").arg(item.field));
            if (m_scope.currentRow < 0)
                return QString();
            if (item.format)
                return item.format(data->value(m_scope.currentRow, column));
            return data->text(m_scope.currentRow, column);
        }
        case ItemKind::Expression: {
            const auto v = Expression(item.expressionText).evaluate(m_scope);
            return v ? generalNumber(*v) : QString();
        }
        case ItemKind::SystemData:
            if (item.system == SystemData::PageNumber)
                return QString::number(m_page);
            return Format::date(m_now.date()) + QLatin1Char(' ') + m_now.time().toString(QStringLiteral("H:mm:ss"));
        case ItemKind::Image:
        case ItemKind::Rule:
            break;
        }
        return QString();
    }

    void line(const QString &band, const QString &item, const QLineF &mm, double widthMm)
    {
        m_out.lines.append({m_page, band, item, mm, widthMm});
        if (!m_painter)
            return;
        QPen pen(Qt::black);
        pen.setWidthF(px(widthMm));
        pen.setCapStyle(Qt::SquareCap);
        m_painter->setPen(pen);
        m_painter->drawLine(QLineF(px(mm.x1()), px(mm.y1()), px(mm.x2()), px(mm.y2())));
    }

    void print(const Band &band)
    {
        const double x0 = m_report.marginsMm().left();
        const double y0 = m_y;
        const double w = m_report.bandWidthMm();
        m_out.bands.append({m_page, band.name, y0});

        for (const auto &ip : band.items) {
            const Item &item = *ip;
            if (item.kind == ItemKind::Rule) {
                const double h = item.height > 0 ? item.height : band.height;
                line(band.name, item.name, QLineF(x0 + item.left, y0 + item.top, x0 + item.left, y0 + item.top + h),
                     item.ruleWidthMm);
                continue;
            }
            if (item.kind == ItemKind::Image) {
                const QRectF r(x0 + item.left, y0 + item.top, item.width, item.height);
                m_out.images.append({m_page, item.name, r});
                if (m_painter && !item.image.isNull())
                    m_painter->drawImage(pxRect(r), item.image);
                continue;
            }
            const QFont font = fontOf(item);
            const QFontMetricsF metrics(font, m_device);
            QString text = textOf(item);
            const bool fixed = !item.autoSize();
            if (fixed && item.fit == TextFit::Round)
                text = fittedNumber(text, metrics, px(item.width));
            const double width = fixed ? item.width : metrics.horizontalAdvance(text) / m_dotsPerMm;
            const double height = item.height > 0 ? item.height : metrics.height() / m_dotsPerMm;
            const double left = item.centredInBand ? (w - width) / 2 : item.left;
            const QRectF r(x0 + left, y0 + item.top, width, height);
            const double advance = metrics.horizontalAdvance(text);
            const double stretch =
                fixed && item.fit == TextFit::Condense && advance > px(width) ? px(width) / advance : 1.0;
            m_out.texts.append({m_page, band.name, item.name, text, r, item.alignment, font, stretch});
            if (!m_painter || text.isEmpty())
                continue;
            m_painter->save();
            m_painter->setFont(font);
            m_painter->setPen(Qt::black);
            QRectF box = pxRect(r);
            if (fixed && item.fit == TextFit::Clip)
                m_painter->setClipRect(box.adjusted(0, -px(1), 0, px(1)));
            if (stretch < 1.0) {
                // Narrower glyphs fill the box exactly.
                m_painter->translate(box.left(), 0);
                m_painter->scale(stretch, 1.0);
                box = QRectF(0, box.top(), advance, box.height());
            }
            const Qt::Alignment h = item.alignment & Qt::AlignHorizontal_Mask;
            m_painter->drawText(box, int((h ? h : Qt::AlignLeft) | Qt::AlignTop) | Qt::TextSingleLine | Qt::TextDontClip,
                                text);
            m_painter->restore();
        }

        const Frame &f = band.frame;
        const double bottom = y0 + band.height;
        if (f.top)
            line(band.name, QString(), QLineF(x0, y0, x0 + w, y0), f.widthMm);
        if (f.bottom)
            line(band.name, QString(), QLineF(x0, bottom, x0 + w, bottom), f.widthMm);
        if (f.left)
            line(band.name, QString(), QLineF(x0, y0, x0, bottom), f.widthMm);
        if (f.right)
            line(band.name, QString(), QLineF(x0 + w, y0, x0 + w, bottom), f.widthMm);
        m_y = bottom;
    }

    const Report &m_report;
    QPagedPaintDevice *m_device;
    QPainter *m_painter;
    double m_dotsPerMm;
    QDateTime m_now;
    ExpressionScope m_scope;
    Rendering m_out;
    int m_page = 0;
    int m_detailsOnPage = 0;
    double m_y = 0;
    double m_footerTop = 0;
};

} // namespace

Rendering Report::render(QPagedPaintDevice *device) const
{
    if (auto *printer = dynamic_cast<QPrinter *>(device))
        printer->setFullPage(true); // positions are measured from the paper's edge
    device->setPageLayout(QPageLayout(m_pageSize, m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(device))
        throw DbError(QStringLiteral("不能在打印设备上输出报表。"));
    try {
        Rendering r = Painter(*this, device, &painter).run();
        painter.end();
        return r;
    } catch (...) {
        painter.end();
        throw;
    }
}

Rendering Report::savePdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Kadero"));
    Rendering r = render(&writer);
    return r;
}

void Report::setPreviewHandler(std::function<void(const Report &)> handler)
{
    previewHandler() = std::move(handler);
}

void Report::preview(QWidget *parent, const QString &title) const
{
    {
        // Lay the report out once, away from the preview, so that a failure
        // reaches the caller instead of an event handler of the dialog.
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter writer(&sink);
        writer.setResolution(300);
        render(&writer);
    }
    if (previewHandler()) {
        previewHandler()(*this);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(m_pageSize);
    printer.setPageOrientation(m_orientation);
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter *p) {
        guarded([&] { render(p); });
    });
    if (auto *bar = dialog.findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *save = bar->addAction(QStringLiteral("保存为PDF"));
        save->setObjectName(QStringLiteral("SavePdf"));
        save->setToolTip(QStringLiteral("把报表保存为PDF文件"));
        QObject::connect(save, &QAction::triggered, &dialog, [this, &dialog, title] {
            QString path = QFileDialog::getSaveFileName(&dialog, QStringLiteral("保存为PDF"), title + QStringLiteral(".pdf"),
                                                        QStringLiteral("PDF 文件 (*.pdf)"), nullptr,
                                                        QFileDialog::DontUseNativeDialog);
            if (path.isEmpty())
                return;
            if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
                path += QStringLiteral(".pdf");
            if (guarded([&] { savePdf(path); }))
                Dialogs::information(QStringLiteral("报表已保存为：") + path);
        });
    }
    dialog.exec();
}

} // namespace report
