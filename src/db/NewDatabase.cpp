#include "db/NewDatabase.h"

#include "db/LedgerSchema.h"
#include "platform/PasswordHash.h"
#include "platform/data/DbError.h"
#include "platform/data/SqlConnection.h"

#include <QDate>
#include <QFile>

namespace {

void insert(const SqlConnection &c, const QString &table, const QVariantList &values)
{
    c.exec(ledgerSchema()[table].insertRow(), values);
}

void addUser(const SqlConnection &c, const QString &job, const QString &dept, const QString &name,
             const QString &sex, const QString &password, const QStringList &rights)
{
    c.exec(insertUserStatement(), {job, dept, name, sex, PasswordHash::hash(password)});
    for (const QString &r : rights)
        c.exec(insertRightStatement(), {job, r});
}

void addDemo(const SqlConnection &c)
{
    const QDate today = QDate::currentDate();
    for (const auto &[code, name] : {std::pair{"01", "工程类"}, {"02", "采购类"}, {"03", "服务类"}, {"04", "租赁类"}})
        insert(c, QStringLiteral("合同类别表"), {QString::fromUtf8(code), QString::fromUtf8(name)});
    for (const auto &[code, name] : {std::pair{"01", "合同管理部"}, {"02", "财务部"}, {"03", "工程部"}, {"04", "办公室"}})
        insert(c, QStringLiteral("部门清单"), {QString::fromUtf8(code), QString::fromUtf8(name)});
    const struct { const char *code, *name, *dept; } projects[] = {
        {"01", "城东厂区改造", "工程部"},   {"01-01", "一号厂房翻新", "工程部"}, {"01-02", "道路与管网", "工程部"},
        {"02", "信息化建设", "办公室"},     {"02-01", "财务系统升级", "财务部"}, {"02-02", "机房设备采购", "办公室"},
        {"03", "后勤保障", "办公室"},       {"03-01", "物业服务", "办公室"},
    };
    for (const auto &p : projects)
        insert(c, QStringLiteral("项目清单"), {QString::fromUtf8(p.code), QString::fromUtf8(p.name), QString::fromUtf8(p.dept)});
    for (const auto &[code, name] : {std::pair{"01", "华北实业有限公司"}, {"02", "华北实业第二分公司"}})
        insert(c, QStringLiteral("公司清单"), {QString::fromUtf8(code), QString::fromUtf8(name)});
    const char *parties[] = {"宏达建筑工程有限公司", "远景信息技术有限公司", "安居物业管理有限公司", "恒通机电设备有限公司", "绿洲市政工程公司"};
    for (int i = 0; i < 5; ++i)
        insert(c, QStringLiteral("对方单位清单"), {QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')), QString::fromUtf8(parties[i])});
    const char *handlers[] = {"张明", "李华", "王芳", "赵强"};
    for (int i = 0; i < 4; ++i)
        insert(c, QStringLiteral("经办人清单"), {QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')), QString::fromUtf8(handlers[i])});

    const struct { const char *no, *name; int party; double amount; const char *cls, *project; int handler; int ageDays; } contracts[] = {
        {"20260001", "一号厂房屋面翻新施工合同", 0, 1280000, "工程类", "01-01", 0, 300},
        {"20260002", "一号厂房电气改造合同", 3, 356000, "工程类", "01-01", 1, 250},
        {"20260003", "厂区道路铺设合同", 4, 890000, "工程类", "01-02", 0, 200},
        {"20260004", "雨污管网改造合同", 4, 465500.5, "工程类", "01-02", 2, 180},
        {"20260005", "财务软件升级服务合同", 1, 98000, "服务类", "02-01", 1, 160},
        {"20260006", "财务数据迁移合同", 1, 36000, "服务类", "02-01", 3, 140},
        {"20260007", "服务器采购合同", 3, 245000, "采购类", "02-02", 2, 120},
        {"20260008", "网络设备采购合同", 3, 128800, "采购类", "02-02", 2, 100},
        {"20260009", "办公区物业服务合同", 2, 360000, "服务类", "03-01", 3, 90},
        {"20260010", "绿化养护服务合同", 2, 72000, "服务类", "03-01", 0, 60},
        {"20260011", "厂房设备租赁合同", 3, 54000, "租赁类", "01-01", 1, 45},
        {"20260012", "门禁系统采购合同", 1, 43000, "采购类", "02-02", 3, 20},
    };
    int n = 0;
    for (const auto &k : contracts) {
        const QDate signedOn = today.addDays(-k.ageDays);
        insert(c, QStringLiteral("合同基本信息表"),
               {QString::fromUtf8(k.no), QString::fromUtf8(k.name), QString::fromUtf8(parties[k.party]), k.amount,
                QStringLiteral("按合同条款执行"), QString::fromUtf8(handlers[k.handler]), signedOn, signedOn.addYears(1),
                QString::fromUtf8(k.cls), QString::fromUtf8(k.project), n % 3 == 0 ? QStringLiteral("是") : QStringLiteral("否"),
                QString(), QString::fromUtf8(n % 2 ? "华北实业第二分公司" : "华北实业有限公司")});
        const QString no = QString::fromUtf8(k.no);
        // A first instalment paid and invoiced, the next one planned (some
        // overdue, some due soon); nothing is paid in the future.
        insert(c, QStringLiteral("计划付款情况表"), {no, today.addDays(n * 6 - 20), k.amount * 0.4, QStringLiteral("进度款")});
        const char *methods[] = {"汇票", "转账支票", "现金", "现金支票", "其他"};
        insert(c, QStringLiteral("付款情况表"),
               {no, signedOn.addDays(std::min(32, k.ageDays - 2)), k.amount * 0.3, QString::fromUtf8(methods[n % 5]), QString::fromUtf8(handlers[k.handler]),
                QStringLiteral("PZ%1").arg(1000 + n), QStringLiteral("首期款")});
        if (n % 2 == 0)
            insert(c, QStringLiteral("付款情况表"),
                   {no, signedOn.addDays(std::min(60, k.ageDays - 1)), k.amount * 0.2, QStringLiteral("转账支票"), QString::fromUtf8(handlers[k.handler]),
                    QStringLiteral("PZ%1").arg(2000 + n), QStringLiteral("进度款")});
        insert(c, QStringLiteral("发票情况表"),
               {no, signedOn.addDays(std::min(35, k.ageDays - 2)), k.amount * 0.3, QString::fromUtf8(handlers[k.handler]), QStringLiteral("FP%1").arg(3000 + n), QString()});
        ++n;
    }
    addUser(c, QStringLiteral("1001"), QStringLiteral("合同管理部"), QStringLiteral("李华"), QStringLiteral("女"),
            QStringLiteral("1001"),
            {QStringLiteral("合同登记"), QStringLiteral("计划付款登记"), QStringLiteral("实际付款登记"),
             QStringLiteral("发票登记"), QStringLiteral("报表管理")});
    addUser(c, QStringLiteral("1002"), QStringLiteral("财务部"), QStringLiteral("王芳"), QStringLiteral("女"),
            QStringLiteral("1002"), {QStringLiteral("实际付款登记"), QStringLiteral("发票登记"), QStringLiteral("报表管理")});
}

} // namespace

void createLedgerDatabase(const QString &path, const NewDatabaseOptions &options)
{
    SqlConnection c;
    c.create(path);
    c.setSchema(&ledgerSchema());
    try {
        Transaction t(c);
        for (const QString &sql : ledgerSchema().createStatements())
            c.exec(sql);
        c.exec(c.dialect().setSchemaVersion(SchemaUpgrade::versionOf(ledgerUpgrades())));
        insert(c, QStringLiteral("提醒天数"), {30});
        addUser(c, QStringLiteral("admin"), QStringLiteral("合同管理部"), QStringLiteral("系统主管"), QStringLiteral("男"),
                options.supervisorPassword, options.supervisorRights);
        if (!options.databasePassword.isEmpty())
            insert(c, QString::fromLatin1(kSettingsTable),
                   {QStringLiteral("数据库口令"), PasswordHash::hash(options.databasePassword)});
        if (options.demo)
            addDemo(c);
        t.commit();
    } catch (...) {
        c.close();
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        throw;
    }
}
