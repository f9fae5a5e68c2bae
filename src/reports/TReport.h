#pragma once

#include <QWidget>

class DataSource;
class Dataset;
class DBGrid;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The report selection window: the user picks a contract, directly or from a
// search list, edits the report's title and asks for the execution report.
class TReport : public QWidget
{
    Q_OBJECT
public:
    explicit TReport(QWidget *parent = nullptr);

    QGroupBox *GroupBox1;
    QLabel *Label1; // "合同编号"
    QLineEdit *Edit2;
    QPushButton *BitBtn1;
    QLabel *Label2; // "报表标题"
    QLineEdit *Edit1;
    QPushButton *BitBtn2;
    QFrame *Panel1;
    QComboBox *ComboBox1;
    QLineEdit *Edit3;
    QPushButton *BitBtn3;
    DBGrid *DBGrid1;

    Dataset *ADOQuery1;
    DataSource *DataSource1;
    Dataset *ADOQuery2;

public Q_SLOTS:
    void Edit2Click();
    void BitBtn3Click();
    void Edit3KeyPress();
    void DBGrid1DblClick();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSearch(bool shown);
    // Fills the report from the contract's rows and previews it. False when
    // there is nothing to print (the user has been told).
    bool produceReport(const QString &contract);
};
