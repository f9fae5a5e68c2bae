#pragma once

#include <QWidget>

class DataSource;
class Dataset;
class DBGrid;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;

// Lists the audit log, newest first, and searches it by name or by action.
class TLOG : public QWidget
{
    Q_OBJECT
public:
    explicit TLOG(QWidget *parent = nullptr);

    QFrame *Panel1;
    QComboBox *ComboBox1;
    QLineEdit *Edit1;
    QPushButton *BitBtn1;
    DBGrid *DBGrid1;

    Dataset *ADOQuery1;
    DataSource *DataSource1;

public Q_SLOTS:
    void BitBtn1Click();

protected Q_SLOTS:
    void Edit1KeyPress(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
