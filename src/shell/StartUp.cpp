#include "shell/StartUp.h"

#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/Icons.h"
#include "platform/Resources.h"
#include "reports/TQuickReport1.h"
#include "shell/ShellConfig.h"
#include "shell/THintWin.h"
#include "shell/TFlash.h"
#include "shell/TLogin.h"
#include "shell/TLoginServer.h"
#include "shell/TMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <memory>

std::unique_ptr<QWidget> showSplash()
{
    auto flash = std::make_unique<TFlash>();
    flash->show();
    flash->repaint();
    while (flash->Timer1->isActive())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return flash;
}

void setUpHints(QApplication *app)
{
    THintWin::install(app, QStringLiteral("KaderoV1.5"));
}

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    initResources();
    Application::setUpLook();
    setUpHints(&app);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(QIcon(iconFile("program")));

    std::unique_ptr<QWidget> flash = showSplash();

    // The data module outlives the windows whose datasets use it.
    std::unique_ptr<Tdm> dataModule;
    TMain mainWindow;
    new TLogin(&mainWindow);
    TQuickReport1 quickReport;
    dataModule = std::make_unique<Tdm>();
    TLoginServer loginServer(&mainWindow);

    flash.reset();
    // Without a window manager (a bare X server) maximising does nothing:
    // start from the whole screen so the window fills it either way.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    // The settings dialog or the answer No may have ended the program already.
    if (Program::hasEnded())
        return 0;
    return app.exec();
}
