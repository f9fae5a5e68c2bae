#include "shell/StartUp.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Resources.h"
#include "shell/ShellConfig.h"
#include "shell/TLogin.h"
#include "shell/TLoginServer.h"
#include "shell/TMain.h"

#if __has_include("shell/TFlash.h")
#include "shell/TFlash.h"
#define KD_HAVE_FLASH 1
#endif
#if __has_include("platform/BalloonHint.h")
#include "platform/BalloonHint.h"
#define KD_HAVE_BALLOON 1
#endif
#if __has_include("reports/TQuickReport1.h")
#include "reports/TQuickReport1.h"
#define KD_HAVE_QUICKREPORT 1
#endif

#include <QTimer>

#include <memory>

std::unique_ptr<QWidget> showSplash()
{
#ifdef KD_HAVE_FLASH
    auto flash = std::make_unique<TFlash>();
    flash->show();
    flash->repaint();
    while (flash->Timer1->isActive())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return flash;
#else
    return nullptr;
#endif
}

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    initResources();
    Application::setUpLook();
#ifdef KD_HAVE_BALLOON
    BalloonHint::install(&app, QStringLiteral("KaderoV1.5"));
#endif
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/program.png")));

    std::unique_ptr<QWidget> flash = showSplash();

    // The data module outlives the windows whose datasets use it.
    std::unique_ptr<Tdm> dataModule;
    TMain mainWindow;
    new TLogin(&mainWindow);
#ifdef KD_HAVE_QUICKREPORT
    TQuickReport1 quickReport;
#endif
    dataModule = std::make_unique<Tdm>();
    TLoginServer loginServer(&mainWindow);

    flash.reset();
    mainWindow.showMaximized();
    // The settings dialog or the answer No may have ended the program already.
    if (Program::hasEnded())
        return 0;
    return app.exec();
}
