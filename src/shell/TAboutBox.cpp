#include "shell/TAboutBox.h"

#include "platform/Application.h"
#include "platform/Icons.h"
#include "platform/Named.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("关于本软件"));
    setWindowIcon(ownIcon("kadero"));

    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setLineWidth(1);

    ProgramIcon = named(new QLabel(Panel1), "ProgramIcon");
    ProgramIcon->setPixmap(ownIcon("kadero").pixmap(QSize(64, 64)));
    ProgramIcon->setFixedSize(68, 68);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setFrameShape(QFrame::StyledPanel);
    ProgramIcon->setFrameShadow(QFrame::Raised);

    ProductName = named(new QLabel(QStringLiteral("Kadero"), Panel1), "ProductName");
    QFont big = ProductName->font();
    big.setPointSize(big.pointSize() + 5);
    big.setBold(true);
    ProductName->setFont(big);

    Version = named(new QLabel(QStringLiteral("Version1.5.20061031（ACCESS单机版）"), Panel1), "Version");
    ReleaseDate = named(new QLabel(QStringLiteral("2006年10月31日"), Panel1), "ReleaseDate");

    auto *panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(14, 14, 18, 18);
    panelLayout->setHorizontalSpacing(16);
    panelLayout->setVerticalSpacing(8);
    panelLayout->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);
    panelLayout->addWidget(ProductName, 0, 1);
    panelLayout->addWidget(Version, 1, 1);
    panelLayout->addWidget(ReleaseDate, 2, 1);
    panelLayout->setRowStretch(3, 1);
    panelLayout->setColumnStretch(1, 1);

    OKButton = named(new QPushButton(QStringLiteral("确定"), this), "OKButton");
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    OKButton->setMinimumWidth(80);
    onUserAction(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 10);
    layout->setSpacing(10);
    layout->addWidget(Panel1, 1);
    layout->addLayout(buttons);

    resize(340, 230);
    setFocusProxy(OKButton);
}

void TAboutBox::OKButtonClick()
{
    // In the main window the frame around it closes, and takes it along.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TAboutBox::FormShow()
{
    OKButton->setFocus();
    // In the main window the command places it; shown on its own it is centred.
    if (isWindow()) {
        const QWidget *over = parentWidget() ? parentWidget()->window() : nullptr;
        const QRect area = over ? over->frameGeometry()
                                : (screen() ? screen()->availableGeometry() : QRect());
        if (area.isValid())
            move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TAboutBox::closeEvent(QCloseEvent *event)
{
    FormClose(event);
    QWidget::closeEvent(event);
}

// Closing frees the box; the next use of its command makes a new one.
void TAboutBox::FormClose(QCloseEvent *)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

// A plain widget has no default button of its own: Enter presses "确定".
void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OKButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
