#include "shell/THintWin.h"

#include "platform/widgets/Balloon.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

namespace {

THintWin *g_hint = nullptr;

QString plainText(const QString &tip)
{
    return Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
}

// The control whose hint applies where the pointer is: the widget itself or
// the nearest ancestor in its window that has one, as Qt's own tool-tips do.
QWidget *hintedWidget(QWidget *w)
{
    for (; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (!w->toolTip().isEmpty())
            return w;
    }
    return nullptr;
}

} // namespace

THintWin::THintWin(const QString &title) : m_title(title) {}

THintWin::~THintWin()
{
    delete m_balloon;
}

void THintWin::install(QApplication *app, const QString &title)
{
    if (g_hint) {
        g_hint->m_title = title;
        return;
    }
    g_hint = new THintWin(title);
    g_hint->setParent(app);
    app->installEventFilter(g_hint);
}

void THintWin::uninstall()
{
    if (!g_hint)
        return;
    qApp->removeEventFilter(g_hint);
    delete g_hint;
    g_hint = nullptr;
}

bool THintWin::isInstalled()
{
    return g_hint != nullptr;
}

Balloon *THintWin::current()
{
    if (!g_hint || !g_hint->m_balloon || !g_hint->m_balloon->isVisible())
        return nullptr;
    return g_hint->m_balloon;
}

int THintWin::attachCount()
{
    return g_hint ? g_hint->m_attached : 0;
}

void THintWin::request(QWidget *target, const QString &text, const QPoint &pointer)
{
    if (target != m_previous)
        ++m_attached;
    m_previous = target;
    if (!m_balloon)
        m_balloon = new Balloon;
    m_balloon->showFor(target, m_title, plainText(text), pointer);
}

void THintWin::hideBalloon()
{
    if (m_balloon)
        m_balloon->hide();
}

// A tip shown through QToolTip directly (an item view's per-item tip, say)
// has no widget hint to react to: its label is hidden and its text moves to
// the balloon.
void THintWin::catchPlainTip(QWidget *label)
{
    auto *tip = qobject_cast<QLabel *>(label);
    if (!tip)
        return;
    const QString text = tip->text();
    tip->setWindowOpacity(0.0);
    QTimer::singleShot(0, this, [] { QToolTip::hideText(); });
    const QPoint pointer = QCursor::pos();
    QWidget *under = QApplication::widgetAt(pointer);
    if (!text.isEmpty() && under)
        request(under, text, pointer);
}

bool THintWin::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter: {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w == m_balloon)
            break;
        QWidget *target = hintedWidget(w);
        if (!target) {
            // The pointer went to a control without a hint, outside the one
            // shown: a Leave may have been missed when it came from another
            // window. Entering the target's own containers changes nothing.
            QWidget *shown = current() ? m_balloon->target() : nullptr;
            if (shown && !shown->isAncestorOf(w) && !w->isAncestorOf(shown))
                hideBalloon();
            break;
        }
        if (current() && m_balloon->target() == target)
            break;
        const QPoint pointer = static_cast<QEnterEvent *>(event)->globalPosition().toPoint();
        request(target, target->toolTip(), pointer);
        break;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        if (current() && watched == m_balloon->target())
            hideBalloon();
        break;
    case QEvent::ToolTip: {
        auto *w = qobject_cast<QWidget *>(watched);
        QWidget *target = w ? hintedWidget(w) : nullptr;
        if (!target)
            break; // no widget hint: an item view may still show one of its own
        if (!current() || m_balloon->target() != target)
            request(target, target->toolTip(), static_cast<QHelpEvent *>(event)->globalPos());
        return true; // the plain tool-tip never shows
    }
    case QEvent::ToolTipChange:
        if (current() && watched == m_balloon->target()) {
            const QString tip = m_balloon->target()->toolTip();
            if (tip.isEmpty())
                hideBalloon();
            else
                m_balloon->setText(plainText(tip));
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::ApplicationDeactivate:
        // Like the platform's tips: any action of the user dismisses it.
        if (current())
            hideBalloon();
        break;
    case QEvent::Show:
        if (watched->objectName() == QLatin1String("qtooltip_label"))
            catchPlainTip(qobject_cast<QWidget *>(watched));
        break;
    default:
        break;
    }
    return false;
}
