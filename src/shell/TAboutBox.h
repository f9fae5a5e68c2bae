#pragma once

#include <QCloseEvent>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

// The about box: program icon, name, version and date in a framed panel, and
// the default button "确定". Closing it frees it.
class TAboutBox : public QWidget
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QFrame *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *ReleaseDate = nullptr;
    QPushButton *OKButton = nullptr;

public Q_SLOTS:
    void OKButtonClick();
    void FormShow();

protected Q_SLOTS:
    void FormClose(QCloseEvent *event);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_shown = false;
};
