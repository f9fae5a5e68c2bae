#pragma once

#include <QWidget>

class DataSource;
class Dataset;
class DBGrid;
class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class SqlCommand;

// Adds users, lists them (the supervisor account excepted), changes and
// deletes them.
class TUser : public QWidget
{
    Q_OBJECT
public:
    explicit TUser(QWidget *parent = nullptr);

    QGroupBox *GroupBox1;
    QLineEdit *Edit1; // job number
    QLineEdit *Edit2; // name
    QLineEdit *Edit3; // password
    QLineEdit *Edit4; // password again
    QComboBox *ComboBox1; // department
    QComboBox *ComboBox2; // sex
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;
    DBGrid *DBGrid1;
    QMenu *PopupMenu1;
    QAction *N1;
    QAction *N2;

    Dataset *ADOQuery1;
    DataSource *DataSource1;
    Dataset *ADOQuery2;
    SqlCommand *ADOCommand1;

public Q_SLOTS:
    void Edit1Exit();
    void Edit2Exit();
    void Edit3Exit();
    void Edit4Exit();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void N1Click();
    void N2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void refuseLongText(QLineEdit *edit, int maxBytes, const QString &message);
    bool exists(const QString &sql, const QString &value);
    bool m_closing = false;
};
