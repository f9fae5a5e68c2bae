#include "ShellFixture.h"

#include "db/NewDatabase.h"
#include "db/Tdm.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/data/SqlConnection.h"
#include "platform/gbk.h"
#include "shell/ShellConfig.h"
#include "shell/StartUp.h"
#include "shell/TLogin.h"
#include "shell/TLoginServer.h"
#include "shell/TMain.h"
#include "support/Gui.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QGroupBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

// Start-up: KD.ini, the connection, the settings dialog and the state before login.
class TstStartUp : public QObject
{
    Q_OBJECT

    struct Started {
        std::unique_ptr<TMain> main;
        TLogin *login = nullptr;
    };
    // Creates the windows in start-up order and shows the main window.
    static Started start()
    {
        Started s;
        s.main = std::make_unique<TMain>();
        s.login = new TLogin(s.main.get());
        s.main->show();
        QApplication::processEvents();
        return s;
    }

    // The user's own folders (XDG) for each test, so nothing lands in $HOME.
    QTemporaryDir home;
    QString userConfig() const { return home.filePath(QStringLiteral("config/kadero")); }
    QString userData() const { return home.filePath(QStringLiteral("data/kadero")); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    }
    void cleanup()
    {
        TLoginServer::setModalRunner({});
        ShellConfig::setDirectory(QString());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
        QDir(home.path()).removeRecursively();
        QDir().mkpath(home.path());
    }

    // KD.ini beside the program wins; a program folder that is not the
    // user's own sends KD.ini to the user's configuration folder, where a
    // relative database is taken from, and offers a ledger in the data folder.
    void whereKdIniLives_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("kdIniThere");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("program folder the user can write") << QStringLiteral("portable") << false << true;
        QTest::newRow("program folder nobody can write") << QStringLiteral("/proc") << false << false;
        QTest::newRow("installed program's folder") << QStringLiteral("prefix/bin") << false << false;
        QTest::newRow("KD.ini beside an installed program") << QStringLiteral("prefix/bin") << true << true;
    }
    void whereKdIniLives()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, kdIniThere);
        QFETCH(bool, besideProgram);
        QTemporaryDir dir;
        const QString program = programFolder.startsWith(QLatin1Char('/')) ? programFolder : dir.filePath(programFolder);
        QDir().mkpath(program);
        if (programFolder.startsWith(QLatin1String("prefix"))) {
            QDir().mkpath(dir.filePath(QStringLiteral("prefix/share/applications")));
            QFile entry(dir.filePath(QStringLiteral("prefix/share/applications/kadero.desktop")));
            QVERIFY(entry.open(QIODevice::WriteOnly));
        }
        if (kdIniThere)
            writeKdIni(program, QStringLiteral("ledger.db"), QString());
        ShellConfig::setDirectory(program);

        const QString folder = besideProgram ? program : userConfig();
        QCOMPARE(ShellConfig::kdIniPath(), folder + QStringLiteral("/KD.ini"));
        QCOMPARE(ShellConfig::databaseFile({QStringLiteral("ledger.db"), {}, {}}), folder + QStringLiteral("/ledger.db"));
        QCOMPARE(ShellConfig::proposedDatabase(), besideProgram ? QString() : userData() + QStringLiteral("/kadero.db"));
        if (!programFolder.startsWith(QLatin1Char('/'))) // the probe leaves nothing behind
            QCOMPARE(QDir(program).entryList(QDir::Files), kdIniThere ? QStringList{QStringLiteral("KD.ini")} : QStringList());
    }

    // Answered on the terminal before any window exists: no display needed.
    void versionAndHelpNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("line");
        QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("kadero %1").arg(QLatin1String(KD_VERSION));
        QTest::newRow("help names the KD.ini in use")
            << QStringLiteral("--help")
            << QStringLiteral("配置文件：%1/KD.ini").arg(qEnvironmentVariable("KD_BIN_DIR"));
    }
    void versionAndHelpNeedNoDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, line);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        program.setProcessEnvironment(env);
        program.start(qEnvironmentVariable("KD_BIN_DIR") + QStringLiteral("/kadero"), {option});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(program.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char('\n'))));
    }

    // An installed program's first start: the settings dialog offers a ledger
    // in the user's data folder, makes it with the supervisor, and the next
    // start reaches the login window on it.
    void firstStartOfAnInstalledProgramMakesTheProposedLedger()
    {
        ShellConfig::setDirectory(QStringLiteral("/proc"));
        const QString ledger = userData() + QStringLiteral("/kadero.db");
        {
            Dialogs::Script script;
            EndRecorder ends;
            QString offered;
            TLoginServer::setModalRunner([&](TLoginServer &d) {
                offered = d.edit2->text();
                Gui::click(d.Button1);
            });
            Started s = start();
            QCOMPARE(offered, ledger);
            QCOMPARE(script.texts(), QStringList{QStringLiteral("配置已完成，请重新启动程序")});
            QVERIFY(ends.ended());
        }
        const IniFile ini(userConfig() + QStringLiteral("/KD.ini"));
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("database")), ledger);
        QCOMPARE(ShellConfig::proposedDatabase(), QString()); // offered only once

        Tdm dataModule;
        Dialogs::Script script;
        EndRecorder ends;
        Started s = start();
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(dataModule.ADOConnection1->filePath(), ledger);
        Gui::retype(s.login->Edit1, QStringLiteral("admin"));
        Gui::retype(s.login->Edit2, QStringLiteral("kadero"));
        Gui::click(s.login->BitBtn1);
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(s.main->statusPanel(1)->text(), QStringLiteral("操作员：合同管理部—系统主管"));
    }

    void withoutKdIniTheSettingsDialogWritesItAndEnds()
    {
        QTemporaryDir dir;
        ShellConfig::setDirectory(dir.path());
        Dialogs::Script script;
        EndRecorder ends;
        bool shown = false, mainVisible = false, loginVisible = false;
        TLoginServer::setModalRunner([&](TLoginServer &d) {
            shown = true;
            auto *main = qobject_cast<TMain *>(d.parentWidget());
            mainVisible = main && main->isVisible();
            QMdiSubWindow *login = main ? main->findChildWindow(QStringLiteral("系统登录")) : nullptr;
            loginVisible = login && login->isVisible();
            QCOMPARE(d.windowTitle(), QStringLiteral("数据库配置"));
            QVERIFY(d.edit2->text().isEmpty() && d.Edit3->text().isEmpty() && d.Edit4->text().isEmpty());
            QCOMPARE(d.Edit4->echoMode(), QLineEdit::Normal);
            Gui::typeText(d.edit2, QStringLiteral("  数据/账本.db "));
            Gui::typeText(d.Edit3, QStringLiteral(" sa"));
            Gui::typeText(d.Edit4, QStringLiteral("口令 "));
            Gui::click(d.Button1);
        });
        Started s = start();
        QVERIFY(shown);
        QVERIFY(mainVisible);
        QVERIFY(loginVisible);
        QVERIFY(ends.ended());
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages()[0].title, QStringLiteral("提示"));
        QCOMPARE(script.lastText(), QStringLiteral("配置已完成，请重新启动程序"));

        const QString path = dir.filePath(QStringLiteral("KD.ini"));
        const IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("database")), QStringLiteral("数据/账本.db"));
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("user")), QStringLiteral("sa"));
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("password")), QStringLiteral("口令"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("[KD]"));
        QVERIFY(bytes.contains(*gbk::encode(QStringLiteral("database=数据/账本.db"))));
    }

    void settingsDialogControls()
    {
        TLoginServer d;
        QCOMPARE(d.windowTitle(), QStringLiteral("数据库配置"));
        auto *form = d.findChild<QFormLayout *>();
        QVERIFY(form);
        auto labelOf = [form](QWidget *field) {
            auto *label = qobject_cast<QLabel *>(form->labelForField(field));
            return label ? label->text() : QString();
        };
        QCOMPARE(labelOf(d.edit2), QStringLiteral("数据库名称"));
        QCOMPARE(labelOf(d.Edit3), QStringLiteral("用户名称"));
        QCOMPARE(labelOf(d.Edit4), QStringLiteral("登录口令"));
        QCOMPARE(d.Button1->text(), QStringLiteral("配置"));
        QCOMPARE(d.Button2->text(), QStringLiteral("取消"));
        // Reading order: the three values, then the two buttons.
        int row1 = -1, row2 = -1, row3 = -1;
        QFormLayout::ItemRole role;
        form->getWidgetPosition(d.edit2, &row1, &role);
        form->getWidgetPosition(d.Edit3, &row2, &role);
        form->getWidgetPosition(d.Edit4, &row3, &role);
        QVERIFY(row1 == 0 && row2 == 1 && row3 == 2);
        d.show();
        QApplication::processEvents();
        QVERIFY(d.Button1->x() < d.Button2->x());
        QVERIFY(d.Button1->y() > d.Edit4->y());
    }

    void settingsDialogRunsModally()
    {
        QTemporaryDir dir;
        ShellConfig::setDirectory(dir.path());
        Dialogs::Script script;
        EndRecorder ends;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<TLoginServer *>(QApplication::activeModalWidget());
            QVERIFY(d);
            modal = true;
            Gui::click(d->Button2);
        });
        Started s = start();
        QVERIFY(modal);
        QVERIFY(ends.ended());
    }

    void cancelInTheSettingsDialogEndsWithoutWriting()
    {
        QTemporaryDir dir;
        ShellConfig::setDirectory(dir.path());
        Dialogs::Script script;
        EndRecorder ends;
        TLoginServer::setModalRunner([](TLoginServer &d) {
            Gui::typeText(d.edit2, QStringLiteral("x.db"));
            Gui::click(d.Button2);
        });
        Started s = start();
        QVERIFY(ends.ended());
        QVERIFY(script.messages().isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("KD.ini"))));
    }

    void connectionFailureAsksAndNoEnds_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("password");
        QTest::newRow("missing file") << QStringLiteral("missing.db") << QString();
        QTest::newRow("wrong password") << QStringLiteral("locked.db") << QStringLiteral("wrong");
        QTest::newRow("empty password for a locked database") << QStringLiteral("locked.db") << QString();
        QTest::newRow("not a ledger database") << QStringLiteral("other.db") << QString();
        QTest::newRow("empty database value") << QString() << QString();
    }
    void connectionFailureAsksAndNoEnds()
    {
        QFETCH(QString, database);
        QFETCH(QString, password);
        QTemporaryDir dir;
        NewDatabaseOptions locked;
        locked.databasePassword = QStringLiteral("secret");
        createLedgerDatabase(dir.filePath(QStringLiteral("locked.db")), locked);
        {
            QFile other(dir.filePath(QStringLiteral("other.db")));
            QVERIFY(other.open(QIODevice::WriteOnly));
            other.write("just some text, no database");
        }
        writeKdIni(dir.path(), database, password);
        ShellConfig::setDirectory(dir.path());
        Tdm dataModule;
        Dialogs::Script script;
        script.answer(false);
        EndRecorder ends;
        bool dialogShown = false;
        TLoginServer::setModalRunner([&](TLoginServer &) { dialogShown = true; });
        Started s = start();
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.messages()[0].kind, Dialogs::Kind::Confirm);
        QCOMPARE(script.messages()[0].title, QStringLiteral("提示"));
        QCOMPARE(script.messages()[0].text, QStringLiteral("数据库连接失败，是否重新连接数据库？"));
        QCOMPARE(script.messages()[0].buttons, Dialogs::Buttons::YesNo);
        QVERIFY(ends.ended());
        QVERIFY(!dialogShown);
        QVERIFY(!dataModule.ADOConnection1->isOpen());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing.db"))));
    }

    void yesAfterAFailureShowsTheSettingsDialog()
    {
        QTemporaryDir dir;
        writeKdIni(dir.path(), QStringLiteral("missing.db"), QString());
        ShellConfig::setDirectory(dir.path());
        Tdm dataModule;
        Dialogs::Script script;
        script.answer(true);
        EndRecorder ends;
        bool dialogShown = false;
        // Closed by its close box: start-up goes on without a connection.
        TLoginServer::setModalRunner([&](TLoginServer &d) {
            dialogShown = true;
            d.close();
        });
        Started s = start();
        QVERIFY(dialogShown);
        QVERIFY(!ends.ended());
        QVERIFY(s.main->isVisible());
        QVERIFY(s.main->findChildWindow(QStringLiteral("系统登录")));
    }

    // An older ledger is upgraded and the user told so; a newer one is refused
    // with its reason before the reconnect question.
    void theLedgersVersionIsSaid_data()
    {
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QList<Dialogs::Kind>>("kinds");
        QTest::addColumn<QString>("said");
        QTest::newRow("version 1") << false << QList<Dialogs::Kind>{Dialogs::Kind::Information}
                                   << "数据库已由第1版升级到第2版，升级前的数据已备份到：";
        QTest::newRow("newer") << true << QList<Dialogs::Kind>{Dialogs::Kind::Warning, Dialogs::Kind::Confirm}
                               << "是第3版，比本程序新";
    }
    void theLedgersVersionIsSaid()
    {
        QFETCH(bool, newer);
        QFETCH(QList<Dialogs::Kind>, kinds);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ledger.db"));
        if (newer) {
            createLedgerDatabase(path);
            SqlConnection c;
            c.open(path);
            c.exec(QStringLiteral("PRAGMA user_version=3"));
        } else {
            databaseFromDump(QStringLiteral("db/ledger-v1.sql"), path);
        }
        writeKdIni(dir.path(), path, QString());
        ShellConfig::setDirectory(dir.path());
        Tdm dataModule;
        Dialogs::Script script;
        script.answer(false);
        EndRecorder ends;
        Started s = start();
        QList<Dialogs::Kind> shown;
        for (const Dialogs::Message &m : script.messages())
            shown << m.kind;
        QCOMPARE(shown, kinds);
        QVERIFY2(script.messages().first().text.contains(said), qPrintable(script.messages().first().text));
        QCOMPARE(dataModule.ADOConnection1->isOpen(), !newer);
        QCOMPARE(ends.ended(), newer);
    }

    void relativePathFromKdIniFolderAndBlanksIgnored()
    {
        QTemporaryDir dir;
        NewDatabaseOptions options;
        options.databasePassword = QStringLiteral("secret");
        createLedgerDatabase(dir.filePath(QStringLiteral("ledger.db")), options);
        // Blanks typed by hand around the values, and a user name that plays no part.
        QFile f(dir.filePath(QStringLiteral("KD.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[KD]\r\ndatabase=  ledger.db  \r\nuser= nobody \r\npassword=  secret \r\n");
        f.close();
        ShellConfig::setDirectory(dir.path());
        Tdm dataModule;
        Dialogs::Script script;
        EndRecorder ends;
        Started s = start();
        QVERIFY(script.messages().isEmpty());
        QVERIFY(!ends.ended());
        QVERIFY(dataModule.ADOConnection1->isOpen());
        QCOMPARE(QFileInfo(dataModule.ADOConnection1->filePath()).canonicalFilePath(),
                 QFileInfo(dir.filePath(QStringLiteral("ledger.db"))).canonicalFilePath());
    }

    void beforeLoginOnlyExitAndAbout()
    {
        Shell shell;
        TMain *m = shell.main.get();
        QCOMPARE(visibleEntries(m->menuBar()),
                 (QStringList{QStringLiteral("系统管理(&S)"), QStringLiteral("关于本软件(&A)")}));
        QCOMPARE(visibleEntries(m->N_Sys), QStringList{QStringLiteral("退出系统(&X)")});
        QVERIFY(!m->Panel1->isVisible());
        QVERIFY(!m->ToolBar1->isVisible());
        QVERIFY(!m->GroupBox1->isVisible());
        QVERIFY(!m->GroupBox2->isVisible());
        QVERIFY(!m->Label1->isVisible());
        QCOMPARE(m->Label1->text(), QStringLiteral("Label1"));
        QCOMPARE(m->windowTitle(), QStringLiteral("KaderoV1.5（ACCESS单机版）"));
        QCOMPARE(m->statusPanel(1)->text(), QString());
        QCOMPARE(m->statusPanel(2)->text(), QString());
        QCOMPARE(m->statusPanel(3)->text(), QStringLiteral("欢迎使用Kadero  V1.5.20061031（ACCESS单机版）"));
        // The login window stands inside, with the focus in the job number.
        QMdiSubWindow *login = m->findChildWindow(QStringLiteral("系统登录"));
        QVERIFY(login && login->isVisible());
        QCOMPARE(shell.login->Edit2->echoMode(), QLineEdit::Password);
        QCOMPARE(QApplication::focusWidget(), shell.login->Edit1);
        QCOMPARE(QChar(shell.login->Edit2->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter)), QLatin1Char('#'));
    }

    void splashStaysAtLeastThreeSeconds()
    {
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QWidget> splash = showSplash();
        QVERIFY(splash);
        QVERIFY(clock.elapsed() >= 3000);
        QVERIFY(splash->isVisible());
        auto *label = splash->findChild<QLabel *>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("系统正在启动..."));
    }
};

KD_TEST(TstStartUp)
#include "tst_startup.moc"
