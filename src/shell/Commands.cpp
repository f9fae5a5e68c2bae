#include "shell/Commands.h"

#include <QWidget>

#include "admin/TPwd.h"
#include "admin/TUser.h"
#include "admin/TRights.h"
#include "admin/TLOG.h"
#include "admin/Tback.h"
#include "reference/TClasses.h"
#include "reference/TDept.h"
#include "reference/TProject.h"
#include "reference/TGs.h"
#include "reference/TWldw.h"
#include "reference/TRen.h"
#include "records/TWrite.h"
#include "records/TPlan.h"
#include "records/TPay.h"
#include "records/TInvoice.h"
#include "reports/TReport.h"
#include "reports/TSummary.h"
#include "reports/TTiXin.h"
#include "shell/TAboutBox.h"

namespace {

template <typename W>
std::function<QWidget *()> factory()
{
    return [] { return static_cast<QWidget *>(new W); };
}

QList<ChildCommand> buildTable()
{
    using H = HideOnOpen;
    using A = Access;
    QList<ChildCommand> t;
    t.append({QStringLiteral("Menu_ChangePwd"), A::EveryUser, {}, factory<TPwd>(), QStringLiteral("修改密码"),
              QStringLiteral("修改密码"), H::BoxesAndExport, 200});
    t.append({QStringLiteral("Menu_AddUser"), A::ByRight, QStringLiteral("添加用户"), factory<TUser>(),
              QStringLiteral("添加用户"), QStringLiteral("添加用户"), H::BoxesAndExport, 200});
    t.append({QStringLiteral("Menu_Right"), A::ByRight, QStringLiteral("权限设置"), factory<TRights>(),
              QStringLiteral("权限设置"), QStringLiteral("权限设置"), H::BoxesAndExport, 100});
    t.append({QStringLiteral("Menu_Log"), A::ByRight, QStringLiteral("查看日志"), factory<TLOG>(),
              QStringLiteral("查看日志"), QStringLiteral("查看日志"), H::BoxesAndExport, 150});
    t.append({QStringLiteral("Menu_back"), A::ByRight, QStringLiteral("数据备份"), factory<Tback>(),
              QStringLiteral("数据备份"), QStringLiteral("数据备份"), H::BoxesAndExport, 120});
    t.append({QStringLiteral("Menu_Class"), A::ByRight, QStringLiteral("合同类别"), factory<TClasses>(),
              QStringLiteral("合同类别设置"), QStringLiteral("合同类别设置"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Dept"), A::ByRight, QStringLiteral("部门设置"), factory<TDept>(),
              QStringLiteral("部门设置"), QStringLiteral("部门设置"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Project"), A::ByRight, QStringLiteral("项目设置"), factory<TProject>(),
              QStringLiteral("项目设置"), QStringLiteral("项目设置"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Gs"), A::ByRight, QStringLiteral("公司设置"), factory<TGs>(),
              QStringLiteral("公司设置"), QStringLiteral("公司设置"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Wldw"), A::ByRight, QStringLiteral("往来单位设置"), factory<TWldw>(),
              QStringLiteral("往来单位维护"), QStringLiteral("往来单位维护"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Ren"), A::ByRight, QStringLiteral("人员维护"), factory<TRen>(),
              QStringLiteral("人员维护"), QStringLiteral("人员维护"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Write"), A::ByRight, QStringLiteral("合同登记"), factory<TWrite>(),
              QStringLiteral("合同基本信息录入"), QStringLiteral("合同基本信息录入"), H::BoxesOnly, kMaximised});
    t.append({QStringLiteral("Menu_Plan"), A::ByRight, QStringLiteral("计划付款登记"), factory<TPlan>(),
              QStringLiteral("计划付款设置"), QStringLiteral("计划付款设置"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Pay"), A::ByRight, QStringLiteral("实际付款登记"), factory<TPay>(),
              QStringLiteral("付款登记"), QStringLiteral("付款登记"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Invoice"), A::ByRight, QStringLiteral("发票登记"), factory<TInvoice>(),
              QStringLiteral("发票登记"), QStringLiteral("发票登记"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Account"), A::ByRight, QStringLiteral("报表管理"), factory<TReport>(),
              QStringLiteral("报表管理"), QStringLiteral("报表管理"), H::BoxesAndExport, 130});
    t.append({QStringLiteral("Menu_Summary"), A::ByRight, QStringLiteral("报表管理"), factory<TSummary>(),
              QStringLiteral("合同执行汇总"), QStringLiteral("合同执行汇总"), H::BoxesAndExport, 10});
    t.append({QStringLiteral("Menu_TiXin"), A::EveryUser, {}, factory<TTiXin>(), QStringLiteral("付款提醒"),
              QStringLiteral("付款提醒"), H::BoxesAndExport, 10});
    t.append({QStringLiteral("N_Help"), A::Always, {}, factory<TAboutBox>(), QStringLiteral("关于本软件"),
              QStringLiteral("查看帮助"), H::Nothing, 200});
    return t;
}

} // namespace

const QList<ChildCommand> &childCommands()
{
    static const QList<ChildCommand> table = buildTable();
    return table;
}

const ChildCommand *findChildCommand(const QString &action)
{
    for (const ChildCommand &c : childCommands())
        if (c.action == action)
            return &c;
    return nullptr;
}

const QList<RightItem> &rightItems()
{
    static const QList<RightItem> items = [] {
        QList<RightItem> out;
        for (const char *action : {"Menu_AddUser", "Menu_Log", "Menu_Right", "Menu_Class", "Menu_Dept", "Menu_Project",
                                   "Menu_Gs", "Menu_Wldw", "Menu_Ren", "Menu_Write", "Menu_Plan", "Menu_Pay",
                                   "Menu_Invoice", "Menu_Account", "Menu_back"})
            if (const ChildCommand *c = findChildCommand(QLatin1String(action)); c && c->access == Access::ByRight)
                out.append({c->right, c->action});
        return out;
    }();
    return items;
}
