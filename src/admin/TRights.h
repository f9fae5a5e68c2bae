#pragma once

#include <QList>
#include <QWidget>

class Dataset;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class SqlCommand;

// Shows the rights a user holds and replaces them by the ticked ones.
class TRights : public QWidget
{
    Q_OBJECT
public:
    // One box for each right, in the order given (the program gives the
    // rights of its command table).
    explicit TRights(const QStringList &rights, QWidget *parent = nullptr);

    QGroupBox *GroupBox1;
    QComboBox *ComboBox1;
    QListWidget *ListBox1;
    QGroupBox *GroupBox2;
    QList<QCheckBox *> CheckBoxes; // CheckBox1 .. CheckBox15, in the order of the rights
    QPushButton *BitBtn1;

    Dataset *ADOQuery1;
    Dataset *ADOQuery2;
    Dataset *ADOQuery3;
    SqlCommand *ADOCommand1;

public Q_SLOTS:
    void FormShow();
    void ComboBox1Change();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void readRightsList(const QString &name);
    void readCheckBoxes(const QString &name);
    bool m_shown = false;
};
