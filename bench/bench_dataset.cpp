// Builds a large ledger and measures the data layer against a raw read:
// opening all contracts as a Dataset, Post and Delete by row id, and the
// plain QSqlQuery read of the same rows as the floor; then the contract
// execution summary window against the raw grouped queries it rests on.
#include "db/LedgerSchema.h"
#include "db/NewDatabase.h"
#include "db/Tdm.h"
#include "platform/Application.h"
#include "platform/data/Dataset.h"
#include "platform/data/SqlConnection.h"
#include "reports/TSummary.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <limits>

#include <sys/resource.h>

namespace {

long peakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

QTextStream out(stdout);

void report(const char *what, qint64 ns, const QString &extra = QString())
{
    out << QStringLiteral("%1: %2 ms %3\n").arg(QString::fromUtf8(what), -44).arg(ns / 1e6, 0, 'f', 1).arg(extra);
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Application::setUpLook();
    const int contracts = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 200000;
    const int projects = 2000;
    const int payments = contracts * 5;
    const int plans = contracts * 5;
    const int invoices = contracts;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    createLedgerDatabase(path);
    SqlConnection c;
    c.open(path);
    c.setSchema(&ledgerSchema());

    QElapsedTimer t;
    t.start();
    {
        Transaction tx(c);
        // Rows of a table, each from its number.
        const auto fill = [&c](const char *table, int count, const std::function<QVariantList(int)> &row) {
            QSqlQuery q(c.database());
            const int columns = int(row(0).size());
            q.prepare(QStringLiteral("insert into %1 values(?%2)")
                          .arg(QString::fromUtf8(table), QStringLiteral(",?").repeated(columns - 1)));
            for (int i = 0; i < count; ++i) {
                for (const QVariant &x : row(i))
                    q.addBindValue(x);
                q.exec();
            }
        };
        const auto number = [contracts](int i) { return QStringLiteral("%1").arg(i % contracts, 8, 10, QLatin1Char('0')); };
        const auto project = [](int i) {
            return QStringLiteral("%1-%2").arg(i / 50, 2, 10, QLatin1Char('0')).arg(i % 50, 2, 10, QLatin1Char('0'));
        };
        const QDate d0(2020, 1, 1);
        // Plans spread over the years around today.
        const QDate p0 = QDate::currentDate().addYears(-3);
        fill("项目清单", projects, [&](int i) -> QVariantList {
            return {project(i), QStringLiteral("项目%1").arg(i), QStringLiteral("工程部")};
        });
        fill("合同基本信息表", contracts, [&](int i) -> QVariantList {
            return {number(i), QStringLiteral("合同名称%1").arg(i), QStringLiteral("对方单位%1").arg(i % 300), 1000.0 + i,
                    QStringLiteral("合同内容"), QStringLiteral("张明"), d0.addDays(i % 2000).toString(Qt::ISODate),
                    d0.addDays(i % 2000 + 365).toString(Qt::ISODate), QStringLiteral("工程类"), project(i % projects),
                    QStringLiteral("是"), QString(), QStringLiteral("华北实业有限公司")};
        });
        fill("付款情况表", payments, [&](int i) -> QVariantList {
            return {number(i), d0.addDays(i % 2000).toString(Qt::ISODate), 100.0 + i % 1000, QStringLiteral("汇票"),
                    QStringLiteral("李华"), QStringLiteral("PZ%1").arg(i), QString()};
        });
        // A few plans name no contract.
        fill("计划付款情况表", plans, [&](int i) -> QVariantList {
            return {i % 10000 == 7 ? QStringLiteral("X%1").arg(i, 7, 10, QLatin1Char('0')) : number(i),
                    p0.addDays(i % 1640).toString(Qt::ISODate), 120.25 + i % 1000, QString()};
        });
        fill("发票情况表", invoices, [&](int i) -> QVariantList {
            return {number(i), d0.addDays(i % 2000).toString(Qt::ISODate), 300.5 + i % 1000, QStringLiteral("李华"),
                    QStringLiteral("FP%1").arg(i), QString()};
        });
        tx.commit();
    }
    report("build ledger", t.nsecsElapsed(),
           QStringLiteral("(%1 contracts, %2 projects, %3 payments, %4 plans, %5 invoices)")
               .arg(contracts)
               .arg(projects)
               .arg(payments)
               .arg(plans)
               .arg(invoices));

    const long rssBefore = peakRssKb();
    t.restart();
    {
        QSqlQuery q(c.database());
        q.setForwardOnly(true);
        q.exec(QStringLiteral("select rowid, * from 合同基本信息表"));
        qint64 n = 0;
        while (q.next())
            for (int i = 0; i < 14; ++i)
                n += q.value(i).isNull() ? 0 : 1;
        report("raw QSqlQuery read of all contracts", t.nsecsElapsed(), QStringLiteral("(%1 values)").arg(n));
    }

    t.restart();
    Dataset ds(&c);
    ds.setTableName(QStringLiteral("合同基本信息表"));
    ds.open();
    const qint64 openNs = t.nsecsElapsed();
    report("Dataset open of all contracts", openNs,
           QStringLiteral("(%1 rows, peak RSS %2 MB, +%3 MB)").arg(ds.recordCount()).arg(peakRssKb() / 1024).arg((peakRssKb() - rssBefore) / 1024));

    t.restart();
    const int edits = 1000;
    for (int i = 0; i < edits; ++i) {
        ds.moveTo(i * (contracts / edits));
        ds.setValue(QStringLiteral("合同金额"), QStringLiteral("%1").arg(5000 + i));
        ds.post();
    }
    report("Post by row id (per row)", t.nsecsElapsed() / edits, QStringLiteral("(%1 posts)").arg(edits));

    t.restart();
    for (int i = 0; i < edits; ++i) {
        ds.moveTo(ds.recordCount() / 2);
        ds.remove();
    }
    report("Delete by row id (per row)", t.nsecsElapsed() / edits, QStringLiteral("(%1 deletes)").arg(edits));
    ds.close();
    c.close();

    // The floor of the summary: one grouped query per record table and the
    // contracts' own columns, read with plain QSqlQuery. Both are timed three
    // times in turn and the best of each counts, as other work on the machine
    // only ever slows a run down.
    Tdm data;
    data.openDatabase(path, QString());
    const auto raw = [&data] {
        qint64 n = 0;
        for (const char *sql : {"select 合同编号,sum(计划付款金额) from 计划付款情况表 group by 合同编号",
                                "select 合同编号,sum(付款金额) from 付款情况表 group by 合同编号",
                                "select 合同编号,sum(发票金额) from 发票情况表 group by 合同编号",
                                "select 合同编号,合同名称,对方单位,项目,合同金额 from 合同基本信息表"}) {
            QSqlQuery q = data.ADOConnection1->exec(QString::fromUtf8(sql));
            while (q.next())
                n += q.value(1).isNull() ? 0 : 1;
        }
        return n;
    };
    qint64 rawNs = std::numeric_limits<qint64>::max(), summaryNs = rawNs, values = 0;
    int rows = 0;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        values = raw();
        rawNs = std::min(rawNs, t.nsecsElapsed());
        t.restart();
        TSummary summary;
        summary.show();
        QApplication::processEvents();
        summaryNs = std::min(summaryNs, t.nsecsElapsed());
        rows = summary.ADOQuery1->recordCount();
    }
    report("raw grouped queries (3 tables + contracts)", rawNs, QStringLiteral("(%1 values, best of 3)").arg(values));
    report("summary window opens", summaryNs,
           QStringLiteral("(%1 rows, best of 3; %2x the raw grouped queries, goal <= 2x; peak RSS %3 MB)")
               .arg(rows)
               .arg(double(summaryNs) / double(rawNs), 0, 'f', 2)
               .arg(peakRssKb() / 1024));
    return 0;
}
