#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// Backs the open database up into the folder of the database file.
class Tback : public QWidget
{
    Q_OBJECT
public:
    explicit Tback(QWidget *parent = nullptr);

    // Where backups go; the database file's folder unless set.
    void setBackupFolder(const QString &folder) { m_folder = folder; }
    QString backupFolder() const;
    // The file that the last successful backup wrote.
    QString lastBackupFile() const { return m_lastFile; }

    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Button1;
    QPushButton *Button2;
    QProgressBar *ProgressBar1;

public Q_SLOTS:
    void Button1Click();
    void Button2Click();

private:
    QString newBackupPath() const;
    void backUp();
    QString m_folder;
    QString m_lastFile;
};
