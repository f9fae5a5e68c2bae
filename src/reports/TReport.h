#pragma once

#include <QString>
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
};

class TQuickReport1;

// The execution report's layout of the run, made here when start-up did not.
TQuickReport1 *executionReportLayout();

// The title box's first text, also the title of a report asked for elsewhere.
inline const QString kExecutionReportTitle = QStringLiteral("XX公司合同执行情况表");

// Fills the execution report from the contract's rows (the invoice total read
// through invoiceTotal) and previews it. False when there is nothing to print
// (the user has been told). Throws when a statement, the report or its
// preview fails.
bool previewExecutionReport(const QString &contract, const QString &title, Dataset *invoiceTotal, QWidget *parent);
