#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QList>
#include <QTest>

#include <memory>

namespace {
struct Entry {
    const char *name;
    std::function<QObject *()> make;
};
QList<Entry> &entries()
{
    static QList<Entry> list;
    return list;
}
} // namespace

int TestRegistry::add(const char *name, std::function<QObject *()> make)
{
    entries().append({name, std::move(make)});
    return int(entries().size());
}

void TestRegistry::setTimeZone()
{
    qputenv("TZ", qgetenv("TZ").isEmpty() ? QByteArray("Asia/Shanghai") : qgetenv("TZ"));
}

int TestRegistry::runAll(const QCoreApplication &app)
{
    QStringList args = app.arguments();
    QString only;
    const qsizetype at = args.indexOf(QStringLiteral("-only"));
    if (at > 0 && at + 1 < args.size()) {
        only = args[at + 1];
        args.remove(at, 2);
    }
    int failures = 0;
    for (const Entry &e : entries()) {
        if (!only.isEmpty() && only != QLatin1String(e.name))
            continue;
        std::unique_ptr<QObject> test(e.make());
        failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
