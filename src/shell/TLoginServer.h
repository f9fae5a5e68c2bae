#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

// The database settings dialog: writes KD.ini and ends the program, so the
// next start uses the new settings.
class TLoginServer : public QDialog
{
    Q_OBJECT
public:
    explicit TLoginServer(QWidget *parent = nullptr);

    QLineEdit *edit2; // 数据库名称
    QLineEdit *Edit3; // 用户名称
    QLineEdit *Edit4; // 登录口令
    QPushButton *Button1, *Button2;

    // Shows the dialog modally. A test installs a runner that drives the
    // dialog instead of a real modal loop.
    void showModal();
    using ModalRunner = std::function<void(TLoginServer &)>;
    static void setModalRunner(ModalRunner runner);

public Q_SLOTS:
    void Button1Click();
    void Button2Click();
};
