#pragma once

#include "platform/data/Dataset.h" // DatasetModel holds a QPointer<Dataset>
#include "platform/data/DatasetModel.h"

#include <QList>
#include <QString>
#include <QWidget>

class DataSource;
class Dataset;
class DateTimePicker;
class DBGrid;
class DBLookupComboBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class SqlCommand;

// What one window of the record family is made of; everything else is shared.
struct RecordWindowKind {
    // The controls of the new-row group that give a value to a new row.
    enum class Entry { Contract, Date, Amount, Method, Handler, Voucher, Remark };

    QString title;
    QString table;
    QString groupCaption;
    QString submitCaption;
    QString addedMessage;       // shown after the database accepted a new row; empty: none
    QList<Entry> entries;       // in the table's stored column order
    QList<GridColumn> columns;  // designed grid columns; empty: every field
    QList<int> columnWidths;    // set after every listing and search
};

// A window over one table of records kept against contracts: a tool bar for
// navigation, in-grid editing and deletion, a search by contract number, the
// grid of rows and a group that composes a new row.
class RecordWindow : public QWidget
{
    Q_OBJECT
public:
    const RecordWindowKind &kind() const { return m_kind; }

public Q_SLOTS:
    void FormShow();
    void FormClose();
    void BitBtn1Click();  // search
    void Edit1KeyPress();
    void BitBtn2Click();  // first
    void BitBtn3Click();  // prior
    void BitBtn4Click();  // next
    void BitBtn5Click();  // last
    void BitBtn7Click();  // delete
    void BitBtn9Click();  // in-grid editing
    void BitBtn10Click(); // close
    void BitBtn11Click(); // add the composed row
    void DBGrid1CellClick(const QModelIndex &index, bool wasCurrent);

protected:
    RecordWindow(RecordWindowKind kind, QWidget *parent);
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

protected Q_SLOTS:
    void FormCreate();

private:
    void buildToolBar();
    void buildSearchBar();
    void buildNewRowGroup();
    // Reads the rows of the window's table chosen by the clauses.
    void listRows(const QString &clauses, const QVariantList &params = {});
    QVariant entryValue(RecordWindowKind::Entry entry) const;
    void emptyEntries();

    RecordWindowKind m_kind;
    bool m_shown = false;

    Dataset *ADOQuery1;
    DataSource *DataSource1;
    Dataset *ADOTable1;
    DataSource *DataSource2;
    SqlCommand *ADOCommand1;

    QComboBox *ComboBox1;
    QLineEdit *Edit1;
    QPushButton *BitBtn1;
    DBGrid *DBGrid1;
    QGroupBox *GroupBox1;
    DBLookupComboBox *DBLookupComboBox1 = nullptr;
    DateTimePicker *DateTimePicker1 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QPushButton *BitBtn11 = nullptr;
};
