#include "shell/WriteLog.h"

#include "db/LedgerSchema.h"
#include "db/Tdm.h"
#include "platform/data/DbError.h"

#include <QDateTime>

void WriteLog(const QString &name, const QString &time, const QString &action)
{
    if (!dm)
        throw DbError(QStringLiteral("数据库没有连接，不能写入日志。"));
    dm->ADOQuery_RZ->setCommandText(
        ledgerSchema()[QStringLiteral("日志")].insertInto({QStringLiteral("姓名"), QStringLiteral("时间"), QStringLiteral("动作")}),
        {name, time, action});
    dm->ADOQuery_RZ->execute();
}

QString logTimeNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy年MM月dd日 HH:mm:ss"));
}
