#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QWidget;
struct ChildCommand;

// The client area of the main window and the child windows it holds: each
// function's window is opened once and found again by its title.
class ChildWindows : public QObject
{
    Q_OBJECT
public:
    // The client area is made as a child of `areaParent`.
    explicit ChildWindows(QWidget *areaParent, QObject *parent);

    QMdiArea *area() const { return m_area; }

    enum class Placement { Own, Centred };
    // Puts a window into the client area as a child window and shows it. A
    // centred window stays centred while the client area changes its size.
    QMdiSubWindow *add(QWidget *window, Placement placement = Placement::Own);
    // The open child window with this title, first in the platform's order.
    QMdiSubWindow *find(const QString &title) const;
    // Brings the command's window to the front, or makes it when it is not open.
    QWidget *open(const ChildCommand &command);

    void tile();
    void cascade();
    // Closes every child window at once (the main window goes away).
    void deleteAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void centre(QMdiSubWindow *sub) const;

    QMdiArea *m_area;
    QList<QPointer<QMdiSubWindow>> m_centred;
};
