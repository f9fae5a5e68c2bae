// Draws every picture and icon of the program into a resources folder:
//   kadero-pictures OUTDIR
// Icons are drawn at their own pixel size on a grid of whole units, so that
// lines fall on pixels and stay sharp instead of being scaled down.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

QString g_out;
int g_failures = 0;

QFont cjkFont(int pixelSize, int weight = QFont::Normal)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                   QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Weight(weight));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void save(const QImage &img, const QString &name, const char *format, int quality = -1)
{
    const QString path = g_out + QLatin1Char('/') + name;
    if (!img.save(path, format, quality)) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        ++g_failures;
    }
}

using Draw = std::function<void(QPainter &)>;

// Renders an icon drawn on a grid of `units` units into a size x size image.
QImage icon(int size, qreal units, const Draw &draw)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / units, size / units);
    draw(p);
    p.end();
    return img;
}

QPen pen(const QColor &c, qreal w = 1.0)
{
    QPen p(c, w);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

QLinearGradient vgrad(qreal y0, qreal y1, const QColor &a, const QColor &b)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// ---- shared shapes -------------------------------------------------------------------------

// A sheet of paper with a folded corner, its top-left at (x, y).
void paper(QPainter &p, qreal x, qreal y, qreal w, qreal h, qreal fold)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - fold, y);
    path.lineTo(x + w, y + fold);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(pen(QColor(0x6b, 0x7a, 0x8c), 1));
    p.setBrush(vgrad(y, y + h, Qt::white, QColor(0xe6, 0xec, 0xf2)));
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(x + w - fold, y);
    corner.lineTo(x + w - fold, y + fold);
    corner.lineTo(x + w, y + fold);
    p.setBrush(QColor(0xd5, 0xdd, 0xe6));
    p.drawPath(corner);
}

void arrowHead(QPainter &p, QPointF tip, qreal angleDeg, qreal len, const QColor &c)
{
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF back(tip.x() - len * std::cos(a), tip.y() - len * std::sin(a));
    const QPointF side(-std::sin(a) * len * 0.6, std::cos(a) * len * 0.6);
    QPolygonF tri{tip, back + side, back - side};
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(tri);
}

void key(QPainter &p, qreal s, const QColor &metal, const QColor &edge)
{
    // Drawn on a 24-unit grid, bow at upper left, blade to the lower right.
    p.save();
    p.scale(s, s);
    p.translate(12, 12);
    p.rotate(45);
    p.translate(-12, -12);
    QPainterPath blade;
    blade.addRect(QRectF(11, 10.5, 11, 3));
    blade.addRect(QRectF(17, 13.5, 2, 3));
    blade.addRect(QRectF(20, 13.5, 2, 4));
    QPainterPath bow;
    bow.addEllipse(QPointF(7, 12), 5.5, 5.5);
    QPainterPath hole;
    hole.addEllipse(QPointF(5.5, 12), 1.8, 1.8);
    QPainterPath all = blade.united(bow).subtracted(hole);
    p.setPen(pen(edge, 1));
    QLinearGradient g(0, 6, 0, 18);
    g.setColorAt(0, metal.lighter(135));
    g.setColorAt(0.5, metal);
    g.setColorAt(1, metal.darker(125));
    p.setBrush(g);
    p.drawPath(all);
    p.restore();
}

void padlock(QPainter &p, bool open)
{
    // 24-unit grid.
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(0x6e, 0x76, 0x80), 2.4));
    QPainterPath shackle;
    if (open) {
        shackle.moveTo(16.5, 11);
        shackle.lineTo(16.5, 7);
        shackle.arcTo(QRectF(11, 1.5, 11, 11), 0, 180);
        shackle.lineTo(11, 8);
    } else {
        shackle.moveTo(7.5, 11);
        shackle.lineTo(7.5, 8);
        shackle.arcTo(QRectF(7.5, 2.5, 9, 11), 180, -180);
        shackle.lineTo(16.5, 11);
    }
    p.drawPath(shackle);
    p.setPen(pen(QColor(0x8a, 0x5a, 0x08), 1));
    p.setBrush(vgrad(10, 22, QColor(0xf8, 0xd8, 0x6a), QColor(0xd0, 0x92, 0x1e)));
    p.drawRoundedRect(QRectF(4.5, 10.5, 15, 11), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5a, 0x3a, 0x06));
    p.drawEllipse(QPointF(12, 15), 1.6, 1.6);
    p.drawRect(QRectF(11.4, 15, 1.2, 3.5));
}

void badge(QPainter &p, QPointF c, qreal r, const QColor &fill)
{
    p.setPen(pen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
}

void checkMark(QPainter &p, const QPolygonF &pts, const QColor &c, qreal w)
{
    p.setPen(pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts);
}

void plusMark(QPainter &p, QPointF c, qreal r, const QColor &col, qreal w)
{
    p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
}

// ---- program icon ---------------------------------------------------------------------------

// A bound contract: blue ledger cover behind a sheet with text lines and a red seal.
void programIcon(QPainter &p)
{
    // 64-unit grid.
    p.setPen(pen(QColor(0x12, 0x2e, 0x5c), 1.5));
    p.setBrush(vgrad(4, 60, QColor(0x3a, 0x6e, 0xb8), QColor(0x1b, 0x3f, 0x7a)));
    p.drawRoundedRect(QRectF(8, 4, 46, 56), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x2e, 0x5c));
    p.drawRect(QRectF(8.8, 5, 6, 54));
    p.setBrush(QColor(0xd9, 0xb3, 0x4a));
    p.drawRect(QRectF(8.8, 12, 6, 3));
    p.drawRect(QRectF(8.8, 49, 6, 3));

    paper(p, 19, 9, 32, 42, 8);
    p.setPen(QPen(QColor(0x1b, 0x3f, 0x7a), 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(23, 17), QPointF(38, 17));
    p.setPen(QPen(QColor(0x8c, 0x9b, 0xad), 1.6, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(23, 24 + i * 4.5), QPointF(i == 4 ? 36 : 47, 24 + i * 4.5));

    // The seal.
    QRadialGradient rg(QPointF(44, 46), 12);
    rg.setColorAt(0, QColor(0xe8, 0x3a, 0x2c));
    rg.setColorAt(1, QColor(0xb0, 0x16, 0x12));
    p.setPen(pen(QColor(0x80, 0x0c, 0x0a), 1.2));
    p.setBrush(rg);
    p.drawEllipse(QPointF(45, 47), 11, 11);
    p.setPen(pen(QColor(0xff, 0xe8, 0xe0), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(45, 47), 8, 8);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? 2.2 : 5.2;
        const qreal a = qDegreesToRadians(-90 + i * 36.0);
        const QPointF pt(45 + r * std::cos(a), 47 + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf0, 0xe8));
    p.drawPath(star);
}

// ---- 24px tool-bar icons ---------------------------------------------------------------------

void expanderBox(QPainter &p, qreal x, qreal y, bool plus)
{
    p.setPen(pen(QColor(0x5b, 0x6b, 0x7d), 1));
    p.setBrush(vgrad(y, y + 8, Qt::white, QColor(0xd8, 0xe0, 0xea)));
    p.drawRect(QRectF(x + 0.5, y + 0.5, 8, 8));
    p.setPen(QPen(QColor(0x1b, 0x3f, 0x7a), 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x + 2.5, y + 4.5), QPointF(x + 6.5, y + 4.5));
    if (plus)
        p.drawLine(QPointF(x + 4.5, y + 2.5), QPointF(x + 4.5, y + 6.5));
}

void nodeBar(QPainter &p, qreal x, qreal y, qreal w, qreal h = 4)
{
    p.setPen(pen(QColor(0x1f, 0x4f, 0x96), 1));
    p.setBrush(vgrad(y, y + h, QColor(0x8c, 0xb8, 0xf0), QColor(0x3e, 0x78, 0xc8)));
    p.drawRect(QRectF(x + 0.5, y + 0.5, w, h));
}

void expandIcon(QPainter &p)
{
    p.setPen(QPen(QColor(0x90, 0x9c, 0xaa), 1, Qt::DotLine));
    p.drawLine(QPointF(6.5, 11), QPointF(6.5, 21.5));
    for (qreal y : {11.5, 16.5, 21.5})
        p.drawLine(QPointF(6.5, y), QPointF(10, y));
    expanderBox(p, 2, 1, false);
    nodeBar(p, 12, 3, 10);
    nodeBar(p, 10, 10, 12, 3);
    nodeBar(p, 10, 15, 12, 3);
    nodeBar(p, 10, 20, 12, 3);
}

void collapseIcon(QPainter &p)
{
    expanderBox(p, 2, 2, true);
    nodeBar(p, 12, 3.5, 10);
    expanderBox(p, 2, 14, true);
    nodeBar(p, 12, 15.5, 10);
}

void refreshIcon(QPainter &p)
{
    const QColor green(0x2e, 0x9a, 0x3a);
    QPen arc(green, 2.6, Qt::SolidLine, Qt::FlatCap);
    p.setPen(arc);
    p.setBrush(Qt::NoBrush);
    const QRectF r(4, 4, 16, 16);
    p.drawArc(r, 100 * 16, 130 * 16);
    p.drawArc(r, 280 * 16, 130 * 16);
    // Arrow heads at the ends of the two arcs, along the direction of turning.
    auto head = [&](qreal deg) {
        const qreal a = qDegreesToRadians(deg);
        const QPointF end(12 + 8 * std::cos(a), 12 - 8 * std::sin(a));
        const QPointF dir(std::sin(a), std::cos(a));
        arrowHead(p, end + dir * 3.5, qRadiansToDegrees(std::atan2(dir.y(), dir.x())), 6.5, green.darker(110));
    };
    head(230);
    head(50);
}

void sheetGrid(QPainter &p, QRectF r)
{
    p.setPen(pen(QColor(0x1d, 0x6b, 0x33), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x8f, 0x4a));
    p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 3.5));
    p.setPen(QPen(QColor(0x9c, 0xc8, 0xa6), 1));
    for (qreal y = r.top() + 7; y < r.bottom(); y += 3.5)
        p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
    for (qreal x = r.left() + 5; x < r.right() - 1; x += 5)
        p.drawLine(QPointF(x, r.top() + 4), QPointF(x, r.bottom() - 1));
}

void exportIcon(QPainter &p)
{
    sheetGrid(p, QRectF(2.5, 3.5, 15, 17));
    const QColor blue(0x1f, 0x5f, 0xbf);
    p.setPen(QPen(blue, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(11, 14), QPointF(18.5, 14));
    arrowHead(p, QPointF(23, 14), 0, 6, blue);
}

void exitIcon(QPainter &p)
{
    // Door frame and an open door, an arrow leaving through it.
    p.setPen(pen(QColor(0x5c, 0x3b, 0x1e), 1));
    p.setBrush(QColor(0x3a, 0x2a, 0x1c));
    p.drawRect(QRectF(3.5, 2.5, 11, 19));
    QPolygonF door{QPointF(3.5, 2.5), QPointF(10.5, 4.5), QPointF(10.5, 23), QPointF(3.5, 21.5)};
    QLinearGradient g(3, 0, 11, 0);
    g.setColorAt(0, QColor(0xc8, 0x8a, 0x4a));
    g.setColorAt(1, QColor(0x9a, 0x5e, 0x28));
    p.setBrush(g);
    p.drawPolygon(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xd0, 0x60));
    p.drawEllipse(QPointF(9, 13), 0.9, 0.9);
    const QColor red(0xc8, 0x28, 0x20);
    p.setPen(QPen(red, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12.5, 12), QPointF(18.5, 12));
    arrowHead(p, QPointF(23, 12), 0, 6, red);
}

// ---- 16px tree and record icons ----------------------------------------------------------

void folderClosed(QPainter &p)
{
    p.setPen(pen(QColor(0x9a, 0x6e, 0x10), 1));
    p.setBrush(QColor(0xe8, 0xb8, 0x40));
    QPainterPath tab;
    tab.moveTo(1.5, 4.5);
    tab.lineTo(1.5, 2.5);
    tab.lineTo(6, 2.5);
    tab.lineTo(7.5, 4.5);
    p.drawPath(tab);
    p.setBrush(vgrad(4, 14, QColor(0xff, 0xe0, 0x80), QColor(0xe8, 0xb0, 0x30)));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.setPen(QPen(QColor(0xff, 0xf2, 0xc0), 1));
    p.drawLine(QPointF(2.5, 5.5), QPointF(13.5, 5.5));
}

void folderOpen(QPainter &p)
{
    p.setPen(pen(QColor(0x9a, 0x6e, 0x10), 1));
    p.setBrush(QColor(0xd8, 0xa0, 0x30));
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 2.5);
    back.lineTo(6, 2.5);
    back.lineTo(7.5, 4.5);
    back.lineTo(13.5, 4.5);
    back.lineTo(13.5, 7);
    p.drawPath(back);
    // A sheet standing in the open folder.
    p.setPen(pen(QColor(0x8c, 0x9b, 0xad), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 5.5, 9, 5));
    QPolygonF front{QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15.5, 7.5), QPointF(13, 13.5)};
    p.setPen(pen(QColor(0x9a, 0x6e, 0x10), 1));
    p.setBrush(vgrad(7, 14, QColor(0xff, 0xe8, 0x98), QColor(0xf0, 0xbc, 0x40)));
    p.drawPolygon(front);
}

void navIcon(QPainter &p, int dir, bool toEnd)
{
    // dir -1 points left, +1 right.
    const QColor edge(0x1b, 0x4a, 0x8c);
    p.setPen(pen(edge, 1));
    p.setBrush(vgrad(3, 13, QColor(0x7c, 0xb0, 0xf0), QColor(0x2a, 0x64, 0xc0)));
    const qreal tipX = dir > 0 ? (toEnd ? 11.5 : 12.5) : (toEnd ? 4.5 : 3.5);
    const qreal baseX = dir > 0 ? tipX - 7 : tipX + 7;
    QPolygonF tri{QPointF(baseX, 2.5), QPointF(tipX, 8), QPointF(baseX, 13.5)};
    p.drawPolygon(tri);
    if (toEnd) {
        const qreal x = dir > 0 ? 12.5 : 1.5;
        p.drawRect(QRectF(x, 2.5, 2, 11));
    }
}

void newIcon(QPainter &p)
{
    paper(p, 2.5, 1.5, 10, 13, 3);
    p.setPen(Qt::NoPen);
    badge(p, QPointF(11.5, 11.5), 4, QColor(0x2e, 0x9a, 0x3a));
    plusMark(p, QPointF(11.5, 11.5), 2.3, Qt::white, 1.4);
}

void pencil(QPainter &p)
{
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(pen(QColor(0x7a, 0x50, 0x10), 0.8));
    p.setBrush(vgrad(-2, 2, QColor(0xff, 0xd8, 0x50), QColor(0xe0, 0x9a, 0x10)));
    p.drawRect(QRectF(-4, -2, 9, 4));
    p.setBrush(QColor(0xf0, 0x8c, 0x9c));
    p.drawRect(QRectF(5, -2, 2.2, 4));
    p.setBrush(QColor(0xf0, 0xd8, 0xb0));
    QPolygonF tip{QPointF(-4, -2), QPointF(-7.5, 0), QPointF(-4, 2)};
    p.drawPolygon(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawPolygon(QPolygonF{QPointF(-6.2, -0.75), QPointF(-7.5, 0), QPointF(-6.2, 0.75)});
    p.restore();
}

void modifyIcon(QPainter &p)
{
    paper(p, 1.5, 1.5, 10, 13, 3);
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(3.5, 6.5 + 2 * i), QPointF(8.5, 6.5 + 2 * i));
    p.save();
    p.translate(2, 1);
    pencil(p);
    p.restore();
}

void crossMark(QPainter &p, QPointF c, qreal r, const QColor &col, qreal w)
{
    p.setPen(QPen(col, w, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    p.drawLine(c + QPointF(r, -r), c + QPointF(-r, r));
}

void deleteIcon(QPainter &p)
{
    crossMark(p, QPointF(8, 8), 4.5, QColor(0x90, 0x10, 0x10), 3.6);
    crossMark(p, QPointF(8, 8), 4.5, QColor(0xe0, 0x30, 0x28), 2.2);
}

void closeIcon(QPainter &p)
{
    // A small window whose close box is marked.
    p.setPen(pen(QColor(0x4a, 0x5a, 0x6e), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(vgrad(2.5, 5.5, QColor(0x5a, 0x8c, 0xd8), QColor(0x2a, 0x5c, 0xb0)));
    p.drawRect(QRectF(2, 3, 12, 3));
    p.setBrush(QColor(0xd8, 0x32, 0x28));
    p.drawRect(QRectF(10, 3, 4, 3));
    crossMark(p, QPointF(12, 4.5), 0.9, Qt::white, 0.9);
    p.setPen(QPen(QColor(0xb8, 0xc4, 0xd2), 1));
    p.drawLine(QPointF(3.5, 8.5), QPointF(12.5, 8.5));
    p.drawLine(QPointF(3.5, 10.5), QPointF(10.5, 10.5));
}

void searchIcon(QPainter &p)
{
    QRadialGradient g(QPointF(5.5, 5.5), 5);
    g.setColorAt(0, QColor(0xf0, 0xf8, 0xff));
    g.setColorAt(1, QColor(0xa8, 0xcc, 0xf0));
    p.setPen(pen(QColor(0x3a, 0x4a, 0x5c), 1.6));
    p.setBrush(g);
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(QPen(QColor(0x5c, 0x3a, 0x1e), 2.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14, 14));
}

void submitIcon(QPainter &p)
{
    checkMark(p, QPolygonF{QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3.5)},
              QColor(0x1a, 0x6a, 0x24), 3.6);
    checkMark(p, QPolygonF{QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3.5)},
              QColor(0x3c, 0xb0, 0x48), 2.2);
}

void printIcon(QPainter &p)
{
    // A sheet going into a printer, a printed sheet coming out below.
    p.setPen(pen(QColor(0x8a, 0x96, 0xa4), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setPen(pen(QColor(0x3a, 0x44, 0x52), 1));
    p.setBrush(vgrad(6, 12, QColor(0xc8, 0xd0, 0xdc), QColor(0x7a, 0x86, 0x96)));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0xb0, 0x48));
    p.drawEllipse(QPointF(12.3, 8.2), 0.8, 0.8);
    p.setPen(pen(QColor(0x8a, 0x96, 0xa4), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4.5));
    p.setPen(QPen(QColor(0x5a, 0x8c, 0xd8), 0.8));
    p.drawLine(QPointF(5.8, 12.3), QPointF(10.2, 12.3));
    p.drawLine(QPointF(5.8, 13.8), QPointF(9, 13.8));
}

void chartIcon(QPainter &p)
{
    // Three bars on an axis, for saving a chart as a picture.
    p.setPen(pen(QColor(0x3a, 0x44, 0x52), 1));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(vgrad(4, 14, QColor(0x90, 0xa4, 0xbf), QColor(0x5a, 0x70, 0x90)));
    p.drawRect(QRectF(3.5, 8, 3, 6));
    p.setBrush(vgrad(4, 14, QColor(0x5c, 0xb0, 0x60), QColor(0x2e, 0x7d, 0x32)));
    p.drawRect(QRectF(7.5, 4, 3, 10));
    p.setBrush(vgrad(4, 14, QColor(0xe0, 0x5a, 0x50), QColor(0xc6, 0x28, 0x28)));
    p.drawRect(QRectF(11.5, 6, 3, 8));
}

// ---- login and password pictures (24px) -------------------------------------------------------

void personIcon(QPainter &p)
{
    p.setPen(pen(QColor(0x1b, 0x3f, 0x7a), 1));
    QPainterPath body;
    body.moveTo(3.5, 22.5);
    body.cubicTo(3.5, 15, 7, 13.5, 12, 13.5);
    body.cubicTo(17, 13.5, 20.5, 15, 20.5, 22.5);
    body.closeSubpath();
    p.setBrush(vgrad(13, 23, QColor(0x6a, 0x9c, 0xe0), QColor(0x24, 0x54, 0xa8)));
    p.drawPath(body);
    // Shirt collar and tie, the job-number holder at work.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{QPointF(9.5, 13.7), QPointF(12, 17), QPointF(14.5, 13.7)});
    p.setBrush(QColor(0xc0, 0x28, 0x20));
    p.drawPolygon(QPolygonF{QPointF(12, 15.5), QPointF(13, 17.5), QPointF(12, 21.5), QPointF(11, 17.5)});
    QRadialGradient face(QPointF(10.5, 6.5), 6);
    face.setColorAt(0, QColor(0xff, 0xe4, 0xc8));
    face.setColorAt(1, QColor(0xe8, 0xb0, 0x84));
    p.setPen(pen(QColor(0x9a, 0x6a, 0x44), 1));
    p.setBrush(face);
    p.drawEllipse(QPointF(12, 8), 5, 5.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x2a, 0x1e));
    QPainterPath hair;
    hair.moveTo(7, 7.5);
    hair.cubicTo(7, 2.5, 17, 2.5, 17, 7.5);
    hair.cubicTo(15, 5, 10, 5, 7, 7.5);
    p.drawPath(hair);
}

void keyIcon(QPainter &p)
{
    key(p, 1.0, QColor(0xe0, 0xb0, 0x30), QColor(0x80, 0x5a, 0x08));
}

void oldKeyIcon(QPainter &p)
{
    key(p, 1.0, QColor(0xb0, 0xb8, 0xc2), QColor(0x50, 0x58, 0x62));
}

void newLockIcon(QPainter &p)
{
    padlock(p, true);
    badge(p, QPointF(18.5, 18.5), 4.5, QColor(0x2e, 0x9a, 0x3a));
    plusMark(p, QPointF(18.5, 18.5), 2.6, Qt::white, 1.6);
}

void confirmLockIcon(QPainter &p)
{
    padlock(p, false);
    badge(p, QPointF(18.5, 18.5), 4.5, QColor(0x2e, 0x9a, 0x3a));
    checkMark(p, QPolygonF{QPointF(16.3, 18.6), QPointF(18, 20.4), QPointF(20.8, 16.6)}, Qt::white, 1.5);
}

// ---- the two large pictures ------------------------------------------------------------------

// Faint ruled ledger page, used as a motif on both pictures.
void ledgerMotif(QPainter &p, const QRectF &r, const QColor &line, const QColor &fill)
{
    p.setPen(QPen(line, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, 6, 6);
    const qreal top = r.top() + r.height() * 0.16;
    QPen rule(line, 1);
    p.setPen(rule);
    for (qreal y = top; y < r.bottom() - 8; y += r.height() / 14)
        p.drawLine(QPointF(r.left() + 10, y), QPointF(r.right() - 10, y));
    QPen col(line, 1);
    p.setPen(col);
    for (qreal f : {0.22, 0.62, 0.80})
        p.drawLine(QPointF(r.left() + r.width() * f, top), QPointF(r.left() + r.width() * f, r.bottom() - 8));
}

QImage splashPicture()
{
    const int w = 480, h = 300;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bg(0, 0, w, h);
    bg.setColorAt(0, QColor(0x1e, 0x3d, 0x6e));
    bg.setColorAt(1, QColor(0x0e, 0x22, 0x44));
    p.fillRect(img.rect(), bg);

    // A soft light behind the ledger.
    QRadialGradient glow(QPointF(350, 120), 220);
    glow.setColorAt(0, QColor(255, 255, 255, 46));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), glow);

    // Two overlapping ledger pages on the right.
    p.save();
    p.translate(300, 44);
    p.rotate(-6);
    ledgerMotif(p, QRectF(0, 0, 150, 190), QColor(0x9a, 0xb4, 0xd8), QColor(0x2c, 0x52, 0x8a));
    p.restore();
    p.save();
    p.translate(322, 62);
    p.rotate(4);
    ledgerMotif(p, QRectF(0, 0, 140, 180), QColor(0xb8, 0xc8, 0xde), QColor(0xf6, 0xf3, 0xea));
    p.setPen(QPen(QColor(0x1e, 0x3d, 0x6e), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(14, 16), QPointF(80, 16));
    // The seal on the lower page corner.
    p.setPen(QPen(QColor(0xc0, 0x1e, 0x18, 210), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(104, 142), 22, 22);
    p.drawEllipse(QPointF(104, 142), 17, 17);
    p.setFont(cjkFont(13, QFont::Bold));
    p.setPen(QColor(0xc0, 0x1e, 0x18, 220));
    p.drawText(QRectF(82, 120, 44, 44), Qt::AlignCenter, QStringLiteral("合同"));
    p.restore();

    // A gold rule and the name.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd9, 0xb3, 0x4a));
    p.drawRect(QRectF(36, 150, 210, 2));
    p.setPen(QColor(0xff, 0xff, 0xff));
    QFont title = cjkFont(46, QFont::Bold);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(title);
    p.drawText(QRectF(34, 70, 300, 70), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Kadero"));
    p.setFont(cjkFont(22));
    p.setPen(QColor(0xe6, 0xee, 0xf8));
    p.drawText(QRectF(36, 158, 300, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("合同管理系统"));
    p.setFont(cjkFont(13));
    p.setPen(QColor(0xa8, 0xbc, 0xd8));
    p.drawText(QRectF(36, 194, 300, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Version 1.5  ACCESS单机版"));
    // Room is left at the bottom for the start-up label.
    p.end();
    return img;
}

QImage clientPicture()
{
    const int w = 1600, h = 1000;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bg(0, 0, w * 0.4, h);
    bg.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
    bg.setColorAt(1, QColor(0xdc, 0xe6, 0xf1));
    p.fillRect(img.rect(), bg);

    // Faint ruled pages at the lower right.
    p.setOpacity(0.55);
    p.save();
    p.translate(1150, 520);
    p.rotate(-5);
    ledgerMotif(p, QRectF(0, 0, 320, 400), QColor(0xc4, 0xd2, 0xe2), QColor(0xee, 0xf3, 0xf8));
    p.restore();
    p.save();
    p.translate(1230, 550);
    p.rotate(4);
    ledgerMotif(p, QRectF(0, 0, 300, 380), QColor(0xbc, 0xcc, 0xde), QColor(0xfa, 0xfc, 0xfe));
    p.setPen(QPen(QColor(0xd8, 0x9c, 0x98), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(230, 300), 44, 44);
    p.drawEllipse(QPointF(230, 300), 35, 35);
    p.restore();
    p.setOpacity(1.0);

    // High enough to stay clear of the login window, which stands in the middle.
    p.setFont(cjkFont(64, QFont::Bold));
    p.setPen(QColor(0xb4, 0xc4, 0xd8));
    p.drawText(QRectF(0, h * 0.2, w, 100), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Kadero 合同管理"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0xd4, 0xe2));
    p.drawRect(QRectF(w / 2.0 - 180, h * 0.2 + 104, 360, 2));
    p.end();
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: kadero-pictures OUTDIR\n";
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir out(g_out);
    if (!out.mkpath(QStringLiteral("pictures")) || !out.mkpath(QStringLiteral("icons"))) {
        QTextStream(stderr) << "cannot create folders in " << g_out << "\n";
        return 1;
    }

    save(splashPicture(), QStringLiteral("pictures/splash.jpg"), "JPEG", 92);
    save(clientPicture(), QStringLiteral("pictures/client.jpg"), "JPEG", 90);

    save(icon(256, 64, programIcon), QStringLiteral("icons/kadero.png"), "PNG");
    for (int s : {16, 32, 48, 64, 128})
        save(icon(s, 64, programIcon), QStringLiteral("icons/kadero-%1.png").arg(s), "PNG");

    const struct {
        const char *name;
        int size;
        void (*draw)(QPainter &);
    } icons[] = {
        {"expand", 24, expandIcon},
        {"collapse", 24, collapseIcon},
        {"refresh", 24, refreshIcon},
        {"export", 24, exportIcon},
        {"exit", 24, exitIcon},
        {"login-user", 24, personIcon},
        {"login-key", 24, keyIcon},
        {"pwd-old", 24, oldKeyIcon},
        {"pwd-new", 24, newLockIcon},
        {"pwd-confirm", 24, confirmLockIcon},
        {"tree-closed", 16, folderClosed},
        {"tree-open", 16, folderOpen},
        {"first", 16, [](QPainter &p) { navIcon(p, -1, true); }},
        {"prior", 16, [](QPainter &p) { navIcon(p, -1, false); }},
        {"next", 16, [](QPainter &p) { navIcon(p, 1, false); }},
        {"last", 16, [](QPainter &p) { navIcon(p, 1, true); }},
        {"new", 16, newIcon},
        {"modify", 16, modifyIcon},
        {"delete", 16, deleteIcon},
        {"close", 16, closeIcon},
        {"search", 16, searchIcon},
        {"submit", 16, submitIcon},
        {"print", 16, printIcon},
        {"chart", 16, chartIcon},
    };
    for (const auto &i : icons)
        save(icon(i.size, i.size, i.draw), QStringLiteral("icons/%1.png").arg(QLatin1String(i.name)), "PNG");

    return g_failures == 0 ? 0 : 1;
}
