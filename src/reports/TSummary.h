#pragma once

#include "reports/ExecutionSummary.h"

#include <QWidget>

class DataSource;
class Dataset;
class DateTimePicker;
class DBGrid;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTabWidget;

// The contract execution summary: per contract what is planned, due, paid,
// unpaid, overdue and invoiced, filtered by project, counterparty, signing
// date and status, with a totals row, colours for the rows that need a look,
// and two charts. A double click opens a contract's execution report.
class TSummary : public QWidget
{
    Q_OBJECT
public:
    explicit TSummary(QWidget *parent = nullptr);

    QGroupBox *GroupBox1;            // "查询条件"
    QComboBox *ComboBox1;            // project
    QComboBox *ComboBox2;            // counterparty
    QCheckBox *CheckBox1;            // "签订日期": limit the signing date
    DateTimePicker *DateTimePicker1; // from
    DateTimePicker *DateTimePicker2; // to
    QComboBox *ComboBox3;            // status
    QPushButton *BitBtn1;            // "查询"
    QPushButton *BitBtn2;            // "导出Excel"
    QPushButton *BitBtn3;            // "打印"
    QPushButton *BitBtn4;            // "关闭"
    QTabWidget *PageControl1;
    DBGrid *DBGrid1;
    QChartView *ChartView1;          // per month
    QChartView *ChartView2;          // counterparties with the most unpaid
    QPushButton *BitBtn5;            // save ChartView1
    QPushButton *BitBtn6;            // save ChartView2

    Dataset *ADOQuery1; // the summary's rows
    DataSource *DataSource1;
    Dataset *ADOQuery2; // invoice total of the execution report

    // The filter as the controls set it.
    SummaryFilter filter() const;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void DBGrid1DblClick();

private:
    QWidget *filterBox();
    QWidget *legend();
    void fillChoices();
    // The charts follow the rows, drawn when their page is shown.
    void drawCharts();
    QString conditions() const;

    bool m_chartsDrawn = false;
};
