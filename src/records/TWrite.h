#pragma once

#include <QWidget>

class ButtonBar;
class DataSource;
class Dataset;
class OverlayDatePicker;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class QAction;
class QFrame;
class QMenu;
class QPushButton;
class SqlCommand;

// The contract register: every contract in a read-only grid, the current one
// in an edit panel that is locked until "新增" or "修改" opens it and "提交"
// stores it.
class TWrite : public QWidget
{
    Q_OBJECT
public:
    explicit TWrite(QWidget *parent = nullptr);
    ~TWrite() override;

    // The number proposed for a new contract; seven places, so the user has
    // to complete it before a submit is accepted.
    static const QString kProposedNumber;

    // Whether the edit panel is open (the entry state).
    bool isPanelOpen() const;

public Q_SLOTS:
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn1Click();
    void BitBtn9Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn10Click();
    void DBGrid1CellClick();
    void DBEdit3Enter();
    void DBEdit7Enter();
    void DateTimePicker1Change();
    void DateTimePicker2Change();
    void EXCELE1Click();
    void FormClose();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The components, found by their names from outside (findChild).
    Dataset *ADOTable1 = nullptr;
    Dataset *ADOTable_Class = nullptr;
    Dataset *ADOTable_Project = nullptr;
    Dataset *ADOTable_gs = nullptr;
    Dataset *ADOTable_dfdw = nullptr;
    Dataset *ADOTable_Ren = nullptr;
    DataSource *DataSource1 = nullptr;
    DataSource *DataSource_Class = nullptr;
    DataSource *DataSource_Project = nullptr;
    DataSource *DataSource_gs = nullptr;
    DataSource *DataSource_dydw = nullptr;
    DataSource *DataSource_Ren = nullptr;
    SqlCommand *ADOCommand1 = nullptr;

    ButtonBar *ToolBar1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QPushButton *BitBtn4 = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn9 = nullptr;
    QPushButton *BitBtn7 = nullptr;
    QPushButton *BitBtn10 = nullptr;

    QFrame *Panel1 = nullptr;
    DBEdit *DBEdit1 = nullptr;
    DBEdit *DBEdit2 = nullptr;
    DBLookupComboBox *DBLookupComboBox2 = nullptr;
    DBLookupComboBox *DBLookupComboBox1 = nullptr;
    DBComboBox *DBComboBox2 = nullptr;
    DBLookupComboBox *DBLookupComboBox3 = nullptr;
    DBLookupComboBox *DBLookupComboBox4 = nullptr;
    DBEdit *DBEdit4 = nullptr;
    DBLookupComboBox *DBLookupComboBox5 = nullptr;
    DBEdit *DBEdit5 = nullptr;
    DBEdit *DBEdit3 = nullptr;
    DBEdit *DBEdit6 = nullptr;
    DBEdit *DBEdit7 = nullptr;
    QPushButton *BitBtn6 = nullptr;
    OverlayDatePicker *DateTimePicker1 = nullptr;
    OverlayDatePicker *DateTimePicker2 = nullptr;

    DBGrid *DBGrid1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *EXCELE1 = nullptr;

    void buildPanel();
    void buildGrid();
    void arrangeTabOrder();
    void openList(Dataset *list, const QString &table);

    void setPanelEnabled(bool enabled);
    // Dates picked for the current row during this entry are forgotten; only
    // picked dates are written by the submit.
    void forgetPickedDates();
    // A new row that holds nothing but the proposed number goes away instead
    // of being stored by the next navigation or append.
    void discardUntouchedNewRow();
    bool isUntouchedNewRow() const;
    void selectNumber();
};
