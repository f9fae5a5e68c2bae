#pragma once

#include <QWidget>

class DataSource;
class Dataset;
class DBGrid;
class QComboBox;
class QLineEdit;
class QPushButton;
class SearchBar;

// Lists the audit log, newest first, and searches it by name or by action.
class TLOG : public QWidget
{
    Q_OBJECT
public:
    explicit TLOG(QWidget *parent = nullptr);

    SearchBar *Panel1;
    QComboBox *ComboBox1;
    QLineEdit *Edit1;
    QPushButton *BitBtn1;
    DBGrid *DBGrid1;

    Dataset *ADOQuery1;
    DataSource *DataSource1;

public Q_SLOTS:
    void BitBtn1Click();
    void Edit1KeyPress();
};
