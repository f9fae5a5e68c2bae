#include "shell/WriteLog.h"

#include "db/Tdm.h"
#include "platform/data/DbError.h"

#include <QDateTime>

void WriteLog(const QString &name, const QString &time, const QString &action)
{
    if (!dm)
        throw DbError(QStringLiteral("数据库没有连接，不能写入日志。"));
    dm->ADOQuery_RZ->setCommandText(QStringLiteral("insert into 日志(姓名,时间,动作) values(?,?,?)"),
                                    {name, time, action});
    dm->ADOQuery_RZ->execute();
}

QString logTimeNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy年MM月dd日 HH:mm:ss"));
}
