#pragma once

#include <QWidget>

class DataSource;
class Dataset;
class DBGrid;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class SqlCommand;

// Payment reminders: the planned payments due within the lead days from
// today, overdue ones included. The lead days are one setting of the
// database (提醒天数).
class TTiXin : public QWidget
{
    Q_OBJECT
public:
    explicit TTiXin(QWidget *parent = nullptr);

    DBGrid *DBGrid1;
    QLabel *Label1; // "请提前"
    QLineEdit *Edit1;
    QLabel *Label2; // "天通知我"
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;
    QLabel *Label3; // "按右键可导出数据至Excel"
    QMenu *PopupMenu1;
    QAction *ExcelO1;

    Dataset *ADOQuery1;
    DataSource *DataSource1;
    Dataset *ADOQuery2;
    SqlCommand *ADOCommand1;

public Q_SLOTS:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void ExcelO1Click();

private:
    void FormCreate();
    // Lists the planned payments due within the days typed in Edit1. A text
    // that is no whole number is refused and the list stays as it was.
    void runDueQuery();
    // The days typed in Edit1, or nothing after telling the user.
    bool typedDays(qlonglong *days);
};
