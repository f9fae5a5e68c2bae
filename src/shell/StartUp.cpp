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

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>
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

std::optional<int> answerCommandLine(int argc, char **argv)
{
    bool help = false, version = false;
    for (int i = 1; i < argc; ++i) {
        help = help || qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0;
        version = version || qstrcmp(argv[i], "--version") == 0;
    }
    if (!help && !version)
        return std::nullopt;
    QCoreApplication core(argc, argv); // the program's folder decides where KD.ini is
    QTextStream out(stdout);
    if (version) {
        out << "kadero " << KD_VERSION << "\n";
        return 0;
    }
    out << "用法：kadero [--help | --version]\n\n"
        << "Kadero 合同管理 " << KD_VERSION << "：登记合同及其计划付款、实际付款和发票。\n\n"
        << "  --help     显示本说明\n"
        << "  --version  显示版本\n\n"
        << "配置文件：" << QDir::toNativeSeparators(ShellConfig::kdIniPath()) << "\n";
    const QString proposed = ShellConfig::proposedDatabase();
    if (!proposed.isEmpty())
        out << "首次启动时建议的账本：" << QDir::toNativeSeparators(proposed) << "\n";
    out << "数据备份存放在数据库文件所在的目录下。\n"
        << "新建账本：kadero-newdb 路径 [--demo] [--password 数据库口令] [--supervisor-password 主管口令]\n"
        << "升级旧账本：kadero-newdb 路径 --upgrade [--password 数据库口令]\n"
        << "没有图形桌面时：xvfb-run -s \"-screen 0 1280x900x24\" kadero\n";
    return 0;
}

void setUpApplication(QApplication *app)
{
    initResources();
    Application::setUpLook();
    setUpHints(app);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(QIcon(iconFile("program")));
}

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    setUpApplication(&app);

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
