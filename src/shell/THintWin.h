#pragma once

#include "platform/widgets/Balloon.h" // held by a QPointer

#include <QObject>
#include <QPointer>
#include <QString>

class QApplication;

// The application's hint window: every tool-tip of the program shows as a
// balloon, at once when the pointer enters a control that has one, and goes
// when the pointer leaves it. The plain tool-tip is never shown.
class THintWin : public QObject
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
    explicit THintWin(const QString &title);
    ~THintWin() override;

    void request(QWidget *target, const QString &text, const QPoint &pointer);
    void hideBalloon();
    void catchPlainTip(QWidget *label);

    QString m_title;
    QPointer<Balloon> m_balloon;
    QPointer<QWidget> m_previous;
    int m_attached = 0;
};
