// kadero-newdb PATH [--demo] [--password P] [--supervisor-password P]
// Creates the ledger database file that the program opens.
#include "db/NewDatabase.h"
#include "platform/data/DbError.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    NewDatabaseOptions options;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--demo")) {
            options.demo = true;
        } else if (a == QLatin1String("--password") && i + 1 < args.size()) {
            options.databasePassword = args[++i];
        } else if (a == QLatin1String("--supervisor-password") && i + 1 < args.size()) {
            options.supervisorPassword = args[++i];
        } else if (path.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            path = a;
        } else {
            path.clear();
            break;
        }
    }
    if (path.isEmpty()) {
        err << "usage: kadero-newdb PATH [--demo] [--password P] [--supervisor-password P]\n";
        return 2;
    }
    try {
        createLedgerDatabase(path, options);
    } catch (const DbError &e) {
        err << e.message() << "\n";
        return 1;
    }
    return 0;
}
