#include "admin/Tback.h"
#include "platform/Dialogs.h"
#include "platform/data/DatabaseBackup.h"
#include "platform/data/DbError.h"
#include "platform/data/SqlConnection.h"
#include "support/Gui.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {
const QString kSuccess = QStringLiteral("数据备份成功，要恢复数据请直接用备份数据覆盖原数据即可");
const QString kFailure = QStringLiteral("备份失败，请重新备份一次！");

} // namespace

// The backup window: a checked copy of the open database under a new name
// each time, with a progress bar that shows the copy.
class TestBack : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    QTemporaryDir folder;
    QPointer<Tback> w;

    void open(const QString &into)
    {
        w = new Tback;
        w->setBackupFolder(into);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    QStringList backups() const
    {
        return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(folder.isValid());
        db = std::make_unique<TestDb>(NewDatabaseOptions{QString(), QStringLiteral("kadero"), true, ledgerRights()});
        // Enough rows for a copy of many steps.
        Transaction t(*db->connection());
        for (int i = 0; i < 1500; ++i)
            db->exec(QStringLiteral("insert into 日志(姓名,时间,动作) values(?,?,?)"),
                     {QStringLiteral("用户%1").arg(i % 7), QStringLiteral("2026年01月01日 10:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')),
                      QStringLiteral("合同登记")});
        t.commit();
    }
    void cleanup()
    {
        delete w;
        db.reset();
        for (const QString &f : backups())
            QFile::remove(QDir(folder.path()).filePath(f));
    }

    void opensBesideTheDatabaseWithAnEmptyBar()
    {
        w = new Tback;
        QCOMPARE(w->backupFolder(), db->dir());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->ProgressBar1->value(), w->ProgressBar1->minimum());
        QCOMPARE(w->minimumSize(), w->maximumSize()); // fixed in size
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    }

    void twoBackupsMakeTwoCopiesOfTheData()
    {
        Dialogs::Script script;
        open(folder.path());
        const QStringList original = ledgerRows(*db->connection());
        Gui::click(w->Button1);
        const QString first = QFileInfo(w->lastBackupFile()).fileName();
        db->exec(QStringLiteral("insert into 部门清单 values('99','后来的部门')"));
        const QStringList later = ledgerRows(*db->connection());
        Gui::click(w->Button1);
        const QString second = QFileInfo(w->lastBackupFile()).fileName();
        QCOMPARE(script.texts(), (QStringList{kSuccess, kSuccess}));
        // Only the two copies: no journal or log files beside them.
        QStringList files = backups();
        QCOMPARE(files.size(), 2);
        QVERIFY(first != second);
        QVERIFY(files.contains(first) && files.contains(second));
        QVERIFY(first.startsWith(QStringLiteral("ledger-backup-")));
        files = QStringList{first, second};

        for (int i = 0; i < 2; ++i) {
            SqlConnection copy;
            copy.open(QDir(folder.path()).filePath(files[i]));
            QCOMPARE(ledgerRows(copy), i == 0 ? original : later);
            QCOMPARE(copy.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        }
    }

    // After the program ends the database is one file, so copying a backup
    // over it is all a restore needs.
    void aBackupCopiedOverTheDatabaseAfterTheEndRestoresIt()
    {
        Dialogs::Script script;
        open(folder.path());
        const QStringList saved = ledgerRows(*db->connection());
        Gui::click(w->Button1);
        db->exec(QStringLiteral("insert into 部门清单 values('99','后来的部门')"));
        delete w;
        db->end();
        QCOMPARE(QDir(db->dir()).entryList(QDir::Files), QStringList{QStringLiteral("ledger.db")});
        QVERIFY(QFile::remove(db->path()));
        QVERIFY(QFile::copy(QDir(folder.path()).filePath(backups().value(0)), db->path()));
        Tdm restored;
        restored.openDatabase(db->path(), QString());
        QCOMPARE(ledgerRows(*restored.ADOConnection1), saved);
    }

    void progressBarShowsTheCopyAndIsFullOnlyForTheSuccess()
    {
        Dialogs::Script script;
        open(folder.path());
        QSignalSpy values(w->ProgressBar1, &QProgressBar::valueChanged);
        // How many messages had been shown when the bar became full and when it emptied again.
        QList<QPair<int, qsizetype>> shownAt;
        connect(w->ProgressBar1, &QProgressBar::valueChanged, this,
                [&](int value) { shownAt.append({value, script.messages().size()}); });
        Gui::click(w->Button1);
        QCOMPARE(shownAt.mid(shownAt.size() - 2), (QList<QPair<int, qsizetype>>{{100, 0}, {0, 1}}));
        QList<int> seen;
        for (const auto &v : values)
            seen << v.at(0).toInt();
        // Several steps between empty and full, rising.
        int between = 0;
        for (int i = 0; i + 2 < seen.size(); ++i) {
            QVERIFY(seen[i] < seen[i + 1]);
            between += seen[i] > 0 && seen[i] < 100;
        }
        QVERIFY2(between >= 3, qPrintable(QString::number(between)));
        QCOMPARE(seen.count(100), 1);
        QCOMPARE(seen.mid(seen.size() - 2), (QList<int>{100, 0}));
        QCOMPARE(script.texts(), QStringList{kSuccess});
    }

    void failureShowsOnlyTheFailure_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("folder that is a file") << QStringLiteral("file");
        QTest::newRow("missing folder") << QStringLiteral("missing/deeper");
        QTest::newRow("folder nobody can write") << QStringLiteral("/proc");
    }
    void failureShowsOnlyTheFailure()
    {
        QFETCH(QString, target);
        if (target == QLatin1String("file")) {
            QFile f(QDir(folder.path()).filePath(QStringLiteral("file")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString into = target.startsWith(QLatin1Char('/')) ? target : QDir(folder.path()).filePath(target);
        const QStringList before = backups();
        Dialogs::Script script;
        open(into);
        QSignalSpy values(w->ProgressBar1, &QProgressBar::valueChanged);
        Gui::click(w->Button1);
        QCOMPARE(script.texts(), QStringList{kFailure});
        for (const auto &v : values)
            QVERIFY(v.at(0).toInt() < 100);
        QCOMPARE(w->ProgressBar1->value(), 0);
        QCOMPARE(backups(), before);
        QVERIFY(w->isVisible());
    }

    // A disk that fills up in the middle of the copy: the write fails, the
    // failure is shown and no partial copy stays.
    void fullDiskShowsTheFailureAndLeavesNoPartialCopy()
    {
        Dialogs::Script script;
        open(folder.path());
        QSignalSpy values(w->ProgressBar1, &QProgressBar::valueChanged);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        Gui::click(w->Button1);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(script.texts(), QStringList{kFailure});
        bool partial = false;
        for (const auto &v : values) {
            QVERIFY(v.at(0).toInt() < 100);
            partial = partial || v.at(0).toInt() > 0;
        }
        QVERIFY(partial); // it failed during the copy, not before
        QCOMPARE(backups(), QStringList());
    }

    void backupNeverOverwritesAFile()
    {
        const QString path = QDir(folder.path()).filePath(QStringLiteral("taken.db"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("earlier backup");
        }
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseBackup::copyTo(*db->connection(), path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier backup"));
    }

    void leaveClosesTheWindow()
    {
        open(folder.path());
        Gui::click(w->Button2);
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
    }
};

KD_TEST(TestBack)
#include "tst_back.moc"
