#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QApplication;

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

// Every tool-tip of the program shows as a balloon, at once when the pointer
// enters a control that has one, and goes when the pointer leaves it. The
// plain tool-tip is never shown.
class BalloonHint : public QObject
{
    Q_OBJECT
public:
    // Installs the application-wide filter; installing again only changes
    // the title.
    static void install(QApplication *app, const QString &title = QStringLiteral("KaderoV1.5"));
    static void uninstall();
    static bool isInstalled();

    // The balloon on screen, or nullptr.
    static Balloon *current();
    // How many times a balloon was attached to a control other than the one
    // of the request before (a second request over the same control adds none).
    static int attachCount();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BalloonHint(const QString &title);
    ~BalloonHint() override;

    void request(QWidget *target, const QString &text, const QPoint &pointer);
    void hideBalloon();
    void catchPlainTip(QWidget *label);

    QString m_title;
    QPointer<Balloon> m_balloon;
    QPointer<QWidget> m_previous;
    int m_attached = 0;
};
