#pragma once

#include <QWidget>

class Dataset;
class QLabel;
class QLineEdit;
class QPushButton;
class SqlCommand;

// The current user replaces his or her own password.
class TPwd : public QWidget
{
    Q_OBJECT
public:
    explicit TPwd(QWidget *parent = nullptr);

    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QLineEdit *Edit1; // old password
    QLineEdit *Edit2; // new password
    QLineEdit *Edit3; // new password again
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

    Dataset *ADOQuery1;
    SqlCommand *ADOCommand1;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
};
