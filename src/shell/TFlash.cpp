#include "shell/TFlash.h"

#include "platform/Named.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

TFlash::TFlash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TFlash"));
    setWindowTitle(QStringLiteral("系统正在启动..."));

    const QPixmap picture(QStringLiteral(":/pictures/splash.jpg"));
    const QSize size = picture.isNull() ? QSize(480, 300) : picture.size();
    setFixedSize(size);

    Image1 = named(new QLabel(this), "Image1");
    Image1->setGeometry(rect());
    Image1->setPixmap(picture);
    // A thin dark edge keeps the borderless window apart from a light desktop.
    Image1->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #0b1a33; }"));

    Label1 = named(new QLabel(QStringLiteral("系统正在启动..."), this), "Label1");
    QFont font = Label1->font();
    font.setPointSize(11);
    font.setBold(true);
    Label1->setFont(font);
    Label1->setStyleSheet(QStringLiteral(
        "QLabel { color: #e00000; background-color: #fff8dc; border: 1px solid #c8b88a;"
        " padding: 3px 12px; }"));
    Label1->adjustSize();
    Label1->move(36, size.height() - Label1->height() - 30);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(3000);
    // A coarse timer may fire up to 5% early; the splash stays at least 3000 ms.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TFlash::Timer1Timer);
    Timer1->start();

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TFlash::Timer1Timer()
{
    Timer1->stop();
}
