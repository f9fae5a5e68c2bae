// kadero-newdb PATH [--demo] [--password P] [--supervisor-password P]
//   creates the ledger database file that the program opens;
// kadero-newdb PATH --upgrade [--password P]
//   brings an existing ledger up to this program's version, as the program
//   does when it opens one.
#include "db/LedgerSchema.h"
#include "db/NewDatabase.h"
#include "db/Tdm.h"
#include "platform/data/DbError.h"
#include "shell/Commands.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    NewDatabaseOptions options;
    options.supervisorRights = commandRights();
    QString path;
    bool upgrade = false;
    bool creationOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--demo")) {
            options.demo = true;
            creationOnly = true;
        } else if (a == QLatin1String("--upgrade")) {
            upgrade = true;
        } else if (a == QLatin1String("--password") && i + 1 < args.size()) {
            options.databasePassword = args[++i];
        } else if (a == QLatin1String("--supervisor-password") && i + 1 < args.size()) {
            options.supervisorPassword = args[++i];
            creationOnly = true;
        } else if (path.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            path = a;
        } else {
            path.clear();
            break;
        }
    }
    if (path.isEmpty() || (upgrade && creationOnly)) {
        err << "usage: kadero-newdb PATH [--demo] [--password P] [--supervisor-password P]\n"
               "       kadero-newdb PATH --upgrade [--password P]\n";
        return 2;
    }
    try {
        if (upgrade) {
            Tdm dm;
            dm.openDatabase(path, options.databasePassword);
            out << (dm.upgradeNotice().isEmpty()
                        ? QStringLiteral("数据库已是第%1版，不用升级。").arg(SchemaUpgrade::versionOf(ledgerUpgrades()))
                        : dm.upgradeNotice())
                << "\n";
        } else {
            createLedgerDatabase(path, options);
        }
    } catch (const DbError &e) {
        err << e.message() << "\n";
        return 1;
    }
    return 0;
}
