#pragma once

#include <QString>
#include <QWidget>

class ButtonBar;
class DBGrid;
class DataSource;
class Dataset;
class QComboBox;
class QLineEdit;
class QPushButton;
class SearchBar;

// What one reference table's editor differs in from the others.
struct ReferenceTable {
    QString title;        // window title
    QString table;        // the reference table edited
    QString secondItem;   // second item of the search field list
    QString secondColumn; // the column that item searches
    bool lastAfterSearch = false;
    QString noticeBeforeAppend; // shown before every new row; empty: none
};

// The editor of a small reference table: a tool bar with navigation and
// editing buttons, a search bar and a grid in which rows are added, changed
// and deleted in place. Rows are stored by the dataset when the user leaves
// them; there is no save button.
class ReferenceEditor : public QWidget
{
    Q_OBJECT
public:
    explicit ReferenceEditor(const ReferenceTable &table, QWidget *parent = nullptr);
    ~ReferenceEditor() override;

    const ReferenceTable &referenceTable() const { return m_table; }

public Q_SLOTS:
    void FormShow();
    void FormClose();
    void BitBtn1Click();  // 查询
    void Edit1KeyPress();
    void BitBtn2Click();  // 首记录
    void BitBtn3Click();  // 上记录
    void BitBtn4Click();  // 下记录
    void BitBtn5Click();  // 尾记录
    void BitBtn6Click();  // 增加
    void BitBtn9Click();  // 修改
    void BitBtn7Click();  // 删除
    void BitBtn10Click(); // 关闭

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Closes the query, gives it the clauses that choose the table's rows and opens it again.
    void runQuery(const QString &clauses, const QVariantList &params = {});
    void setColumnWidths();
    void enableEditing();

    ReferenceTable m_table;
    bool m_shown = false;

    ButtonBar *ToolBar1;
    QPushButton *BitBtn2;
    QPushButton *BitBtn3;
    QPushButton *BitBtn4;
    QPushButton *BitBtn5;
    QPushButton *BitBtn6;
    QPushButton *BitBtn9;
    QPushButton *BitBtn7;
    QPushButton *BitBtn10;
    SearchBar *Panel1;
    QComboBox *ComboBox1;
    QLineEdit *Edit1;
    QPushButton *BitBtn1;
    DBGrid *DBGrid1;
    Dataset *ADOQuery1;
    DataSource *DataSource1;
};
