#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

class QLineEdit;
class QPushButton;
class TMain;

// The login window: a child window of the main window, visible from start-up.
class TLogin : public QWidget
{
    Q_OBJECT
public:
    // Creates the window and shows it inside the main window's client area.
    explicit TLogin(TMain *mainWindow);

    QLineEdit *Edit1; // 工号
    QLineEdit *Edit2; // 密码
    QPushButton *BitBtn1, *BitBtn2;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();

protected Q_SLOTS:
    void FormClose(QCloseEvent *event);
    void Edit2KeyPress(QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    TMain *m_main;
};
