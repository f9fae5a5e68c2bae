#include "platform/widgets/Balloon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr int kPadding = 10;
constexpr int kIcon = 16;
constexpr int kGap = 6;
constexpr int kStemHeight = 14;
constexpr int kStemWidth = 14;
constexpr int kStemInset = 22; // stem's distance from the body's near edge
constexpr int kRadius = 8;
constexpr int kMaxTextWidth = 360;
// The stem points just below the arrow pointer, so the balloon never covers
// what the pointer rests on.
constexpr int kBelowPointer = 18;

void drawInformationIcon(QPainter &p, const QRectF &r)
{
    QRadialGradient g(r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width() * 0.75);
    g.setColorAt(0, QColor(0x6f, 0xa8, 0xf0));
    g.setColorAt(1, QColor(0x1c, 0x58, 0xb4));
    p.setPen(QPen(QColor(0x14, 0x40, 0x88), 1));
    p.setBrush(g);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    const qreal u = r.width() / 16.0;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(r.center().x(), r.top() + 4.6 * u), 1.3 * u, 1.3 * u);
    p.drawRoundedRect(QRectF(r.center().x() - 1.2 * u, r.top() + 7 * u, 2.4 * u, 6 * u), 0.6 * u, 0.6 * u);
}

} // namespace

Balloon::Balloon()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                           | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
{
    setObjectName(QStringLiteral("BalloonHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Balloon::showFor(QWidget *target, const QString &title, const QString &text, const QPoint &pointer)
{
    m_target = target;
    m_title = title;
    m_text = text;
    layOut();

    QScreen *screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = target ? target->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen->availableGeometry();

    const int w = m_body.width();
    const int h = m_body.height() + kStemHeight;
    // Below the pointer unless that runs off the screen.
    m_stemUp = pointer.y() + kBelowPointer + h <= avail.bottom() || pointer.y() - h < avail.top();
    m_tip = m_stemUp ? pointer + QPoint(0, kBelowPointer) : pointer - QPoint(0, 2);

    int left = m_tip.x() - kStemInset;
    left = qBound(avail.left(), left, qMax(avail.left(), avail.right() - w));
    m_stemX = qBound(kRadius + kStemWidth / 2, m_tip.x() - left, w - kRadius - kStemWidth / 2);
    const int top = m_stemUp ? m_tip.y() : m_tip.y() - h;
    m_body.moveTopLeft(QPoint(0, m_stemUp ? kStemHeight : 0));
    m_titleRect.moveTopLeft(m_body.topLeft() + QPoint(kPadding + kIcon + kGap, kPadding));
    m_textRect.moveTopLeft(QPoint(m_body.left() + kPadding,
                                  m_titleRect.bottom() + 1 + kGap));

    setGeometry(left, top, w, h);

    // Drawn without smoothing inside an exact mask: crisp on any desktop,
    // with or without a compositor.
    setMask(QRegion(outline(0)));

    if (!isVisible()) {
        show();
        raise();
    }
    update();
}

void Balloon::setText(const QString &text)
{
    if (text == m_text)
        return;
    const QPoint pointer = m_stemUp ? m_tip - QPoint(0, kBelowPointer) : m_tip + QPoint(0, 2);
    showFor(m_target, m_title, text, pointer);
}

void Balloon::layOut()
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const QFontMetrics textMetrics(font());

    const int titleWidth = titleMetrics.horizontalAdvance(m_title);
    const int titleHeight = qMax(kIcon, titleMetrics.height());
    const QRect text = m_text.isEmpty()
        ? QRect()
        : textMetrics.boundingRect(QRect(0, 0, kMaxTextWidth, 100000), Qt::TextWordWrap, m_text);

    const int contentWidth = qMax(kIcon + kGap + titleWidth, text.width());
    const int contentHeight = titleHeight + (text.isEmpty() ? 0 : kGap + text.height());
    m_body = QRect(0, 0, qMax(contentWidth + 2 * kPadding, 2 * kStemInset + kStemWidth),
                   contentHeight + 2 * kPadding);
    m_titleRect = QRect(0, 0, titleWidth + 2, titleHeight);
    m_textRect = QRect(0, 0, qMax(text.width(), contentWidth), text.height());
}

QPolygon Balloon::outline(int inset) const
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(m_body).adjusted(inset, inset, -inset, -inset), kRadius - inset,
                         kRadius - inset);
    // The stem leans a little, like a pen stroke, and reaches into the body.
    // Inside, it narrows by more than the inset so that the border along its
    // slanted sides stays unbroken.
    const qreal half = kStemWidth / 2.0 - 1.6 * inset;
    QPolygonF stem;
    if (m_stemUp) {
        const qreal base = m_body.top() + kRadius;
        stem << QPointF(m_stemX - half, base) << QPointF(m_stemX - 1, 2.5 * inset)
             << QPointF(m_stemX + half, base);
    } else {
        const qreal base = m_body.bottom() - kRadius;
        stem << QPointF(m_stemX - half, base) << QPointF(m_stemX - 1, height() - 2.5 * inset)
             << QPointF(m_stemX + half, base);
    }
    QPainterPath tip;
    tip.addPolygon(stem);
    tip.closeSubpath();
    return shape.united(tip).toFillPolygon().toPolygon();
}

void Balloon::paintEvent(QPaintEvent *)
{
    QPainter p(this);

    p.fillRect(rect(), QColor(0x70, 0x70, 0x70));
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(0xff, 0xff, 0xf4));
    fill.setColorAt(1, QColor(0xff, 0xf8, 0xd2));
    p.setClipRegion(QRegion(outline(1)));
    p.fillRect(rect(), fill);
    p.setClipping(false);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF iconRect(m_body.left() + kPadding,
                          m_titleRect.top() + (m_titleRect.height() - kIcon) / 2.0, kIcon, kIcon);
    drawInformationIcon(p, iconRect);

    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(QColor(0x10, 0x10, 0x10));
    p.drawText(m_titleRect, Qt::AlignLeft | Qt::AlignVCenter, m_title);
    p.setFont(font());
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(m_textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
}

