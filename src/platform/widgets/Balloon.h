#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// The balloon that shows a hint: a frameless tool window with a rounded body,
// a stem pointing at the mouse pointer, the information icon, a bold title and
// the hint text. It never takes the mouse or the focus.
class Balloon : public QWidget
{
    Q_OBJECT
public:
    Balloon();

    QString title() const { return m_title; }
    QString text() const { return m_text; }
    // The control whose hint is shown.
    QWidget *target() const { return m_target; }

    // Shows the hint of `target` with the stem's tip at `tip` (global).
    void showFor(QWidget *target, const QString &title, const QString &text, const QPoint &tip);
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void layOut();
    QPolygon outline(int inset) const;

    QString m_title;
    QString m_text;
    QPointer<QWidget> m_target;
    QPoint m_tip;
    bool m_stemUp = true;
    int m_stemX = 0;
    QRect m_body;
    QRect m_titleRect;
    QRect m_textRect;
};
