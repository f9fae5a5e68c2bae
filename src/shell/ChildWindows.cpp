#include "shell/ChildWindows.h"

#include "shell/Commands.h"

#include <algorithm>

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTimer>

namespace {

// The client area: the child windows over a picture centred on a calm colour.
class ClientArea : public QMdiArea
{
public:
    explicit ClientArea(QWidget *parent) : QMdiArea(parent), m_picture(QStringLiteral(":/pictures/client.jpg"))
    {
        // The picture's own edge colour fills the rest, so the picture seems to fill the area.
        setBackground(m_picture.isNull() ? QColor(0xe8, 0xee, 0xf4) : QColor(m_picture.toImage().pixel(0, 0)));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QMdiArea::paintEvent(event);
        if (m_picture.isNull())
            return;
        QPainter p(viewport());
        const QRect r = viewport()->rect();
        const QSize s = m_picture.size().scaled(r.size(), Qt::KeepAspectRatio).boundedTo(m_picture.size());
        p.drawPixmap(QRect(QPoint(r.center().x() - s.width() / 2, r.center().y() - s.height() / 2), s), m_picture);
    }

private:
    QPixmap m_picture;
};

// A window that closed itself may still wait for its deletion: it is no longer open.
bool isOpen(const QMdiSubWindow *sub)
{
    const QWidget *w = sub->widget();
    return !sub->isHidden() && w && !(w->isHidden() && !sub->isMinimized());
}

} // namespace

ChildWindows::ChildWindows(QWidget *areaParent, QObject *parent) : QObject(parent), m_area(new ClientArea(areaParent))
{
    m_area->setObjectName(QStringLiteral("ClientArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The viewport, not the area: the area lays out its viewport only after
    // its own resize event has passed the filters.
    m_area->viewport()->installEventFilter(this);
}

QMdiSubWindow *ChildWindows::add(QWidget *window, Placement placement)
{
    const Qt::WindowFlags hints = window->windowFlags() & ~Qt::WindowType_Mask;
    const QSize ownSize = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QPoint ownPos = window->pos();
    const bool moved = window->testAttribute(Qt::WA_Moved);
    QMdiSubWindow *sub = m_area->addSubWindow(window, hints);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A window that closes itself takes its frame with it (see eventFilter).
    window->installEventFilter(this);
    sub->setWindowTitle(window->windowTitle());
    sub->setWindowIcon(m_area->window()->windowIcon());
    // The window keeps its own size (within the client area), the frame goes around it.
    // Before the main window is shown its client area has no size yet: the
    // login window is made then and must not be squeezed into it.
    QSize size = ownSize.grownBy(sub->contentsMargins()).expandedTo(sub->minimumSizeHint());
    if (m_area->isVisible())
        size = size.boundedTo(m_area->viewport()->size().expandedTo(QSize(200, 120)));
    sub->resize(size);
    if (moved)
        sub->move(ownPos);
    if (placement == Placement::Centred) {
        m_centred.append(sub);
        centre(sub);
    }
    sub->show();
    return sub;
}

QMdiSubWindow *ChildWindows::find(const QString &title) const
{
    for (QMdiSubWindow *sub : m_area->subWindowList(QMdiArea::CreationOrder))
        if (isOpen(sub) && sub->widget()->windowTitle() == title)
            return sub;
    return nullptr;
}

QWidget *ChildWindows::open(const ChildCommand &command)
{
    if (QMdiSubWindow *sub = find(command.title)) {
        if (sub->isMinimized() || sub->isMaximized())
            sub->showNormal();
        sub->show();
        sub->raise();
        m_area->setActiveSubWindow(sub);
        if (command.left == kMaximised)
            sub->showMaximized();
        return sub->widget();
    }
    QWidget *window = command.create();
    window->setWindowTitle(command.title);
    QMdiSubWindow *created = add(window);
    if (command.left == kMaximised)
        created->showMaximized();
    else {
        // The top is the area's own choice, but a window is not pushed out at the bottom.
        const int room = m_area->viewport()->height() - created->height();
        created->move(command.left, std::max(0, std::min(created->y(), room)));
    }
    m_area->setActiveSubWindow(created);
    return window;
}

void ChildWindows::tile() { m_area->tileSubWindows(); }
void ChildWindows::cascade() { m_area->cascadeSubWindows(); }

void ChildWindows::deleteAll() { qDeleteAll(m_area->subWindowList()); }

void ChildWindows::centre(QMdiSubWindow *sub) const
{
    const QRect r = m_area->viewport()->rect();
    sub->move(qMax(0, r.center().x() - sub->width() / 2), qMax(0, r.center().y() - sub->height() / 2));
}

bool ChildWindows::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(watched->parent()); sub && sub->widget() == watched) {
            QTimer::singleShot(0, sub, [sub] {
                if (isOpen(sub))
                    return;
                sub->hide();
                sub->deleteLater();
            });
        }
    } else if (watched == m_area->viewport() && event->type() == QEvent::Resize) {
        m_centred.removeAll(nullptr);
        for (QMdiSubWindow *sub : std::as_const(m_centred))
            if (isOpen(sub))
                centre(sub);
    }
    return QObject::eventFilter(watched, event);
}
