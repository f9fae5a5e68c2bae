#include "AdminGui.h"
#include "admin/TRights.h"
#include "admin/TUser.h"
#include "platform/PasswordHash.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

// Pictures of the user and rights windows for the documentation. Runs only
// when KD_SCREENSHOTS names the folder to write them to.
class TestAdminLook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void grabUsersAndRights()
    {
        const QString dir = qEnvironmentVariable("KD_SCREENSHOTS");
        if (dir.isEmpty())
            QSKIP("KD_SCREENSHOTS is not set");
        QDir().mkpath(dir);
        TestDb db(NewDatabaseOptions{QString(), QStringLiteral("kadero"), true, ledgerRights()});
        const struct { const char *job, *dept, *name, *sex; } users[] = {
            {"1003", "工程部", "张明", "男"}, {"1004", "办公室", "赵强", "男"}};
        for (const auto &u : users)
            db.exec(QStringLiteral("insert into 用户清单(工号,部门,姓名,性别,密码) values(?,?,?,?,?)"),
                    {QString::fromUtf8(u.job), QString::fromUtf8(u.dept), QString::fromUtf8(u.name),
                     QString::fromUtf8(u.sex), PasswordHash::hash(QString())});
        for (const char *right : {"合同登记", "计划付款登记", "实际付款登记", "发票登记", "报表管理"})
            db.exec(QStringLiteral("insert into 权限清单([工号],[权限名称]) values('1003',?)"), {QString::fromUtf8(right)});

        TUser user;
        user.show();
        QVERIFY(QTest::qWaitForWindowExposed(&user));
        user.Edit1->setText(QStringLiteral("1005"));
        user.Edit3->setText(QStringLiteral("abc123"));
        user.Edit4->setText(QStringLiteral("abc123"));
        user.Edit2->setText(QStringLiteral("陈静"));
        user.ComboBox1->setCurrentIndex(2);
        QTest::qWait(100);
        QVERIFY(user.grab().save(QDir(dir).filePath(QStringLiteral("users.png"))));

        TRights rights(ledgerRights());
        rights.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rights));
        QVERIFY(chooseItem(rights.ComboBox1, QStringLiteral("张明")));
        QTest::qWait(100);
        QVERIFY(rights.grab().save(QDir(dir).filePath(QStringLiteral("rights.png"))));
    }
};

KD_TEST(TestAdminLook)
#include "tst_adminlook.moc"
