#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The start-up window: a frameless, centred picture with the red label
// "系统正在启动..." on cream. Program entry waits until Timer1 has fired once.
class TFlash : public QWidget
{
    Q_OBJECT
public:
    explicit TFlash(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *Timer1 = nullptr;

public Q_SLOTS:
    void Timer1Timer();
};
