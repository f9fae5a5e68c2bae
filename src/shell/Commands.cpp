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
std::function<QWidget *()> make()
{
    return [] { return static_cast<QWidget *>(new W); };
}

QList<ChildCommand> buildTable()
{
    using M = MenuPlace;
    using A = Access;
    using H = HideOnOpen;
    constexpr bool divided = true;
    const auto rights = [] { return static_cast<QWidget *>(new TRights(commandRights())); };
    // Rows in the order of the items within each menu. The rights follow the
    // rows, so a row with a new right places that right in the rights window.
    // action            menu     divider   caption                   access        right
    //   window          title / log text                           hides                left
    return {
        {"Menu_ChangePwd", M::Sys,    false,   "修改密码(&P)",           A::EveryUser, "",
         make<TPwd>(),     "修改密码", "修改密码",                     H::BoxesAndExport, 200},
        {"Menu_AddUser",   M::Sys,    divided, "添加用户(&A)",           A::ByRight,   "添加用户",
         make<TUser>(),    "添加用户", "添加用户",                     H::BoxesAndExport, 200},
        {"Menu_Right",     M::Sys,    false,   "权限设置(&Q)",           A::ByRight,   "权限设置",
         rights,           "权限设置", "权限设置",                     H::BoxesAndExport, 100},
        {"Menu_Log",       M::Sys,    divided, "查看日志(&L)",           A::ByRight,   "查看日志",
         make<TLOG>(),     "查看日志", "查看日志",                     H::BoxesAndExport, 150},
        {"Menu_Class",     M::Base,   false,   "合同类别(&C)",           A::ByRight,   "合同类别",
         make<TClasses>(), "合同类别设置", "合同类别设置",             H::BoxesAndExport, 130},
        {"Menu_Dept",      M::Base,   false,   "部门设置(&D)",           A::ByRight,   "部门设置",
         make<TDept>(),    "部门设置", "部门设置",                     H::BoxesAndExport, 130},
        {"Menu_Project",   M::Base,   false,   "项目设置(&P)",           A::ByRight,   "项目设置",
         make<TProject>(), "项目设置", "项目设置",                     H::BoxesAndExport, 130},
        {"Menu_Gs",        M::Base,   divided, "单位设置(&G)",           A::ByRight,   "公司设置",
         make<TGs>(),      "公司设置", "公司设置",                     H::BoxesAndExport, 130},
        {"Menu_Wldw",      M::Base,   false,   "往来单位设置(&W)",       A::ByRight,   "往来单位设置",
         make<TWldw>(),    "往来单位维护", "往来单位维护",             H::BoxesAndExport, 130},
        {"Menu_Ren",       M::Base,   divided, "人员维护(&R)",           A::ByRight,   "人员维护",
         make<TRen>(),     "人员维护", "人员维护",                     H::BoxesAndExport, 130},
        {"Menu_Write",     M::Data,   false,   "合同登记(&R)",           A::ByRight,   "合同登记",
         make<TWrite>(),   "合同基本信息录入", "合同基本信息录入",     H::BoxesOnly,      kMaximised},
        {"Menu_Plan",      M::Data,   false,   "计划付款(&P)",           A::ByRight,   "计划付款登记",
         make<TPlan>(),    "计划付款设置", "计划付款设置",             H::BoxesAndExport, 130},
        {"Menu_Pay",       M::Data,   false,   "付款登记(&F)",           A::ByRight,   "实际付款登记",
         make<TPay>(),     "付款登记", "付款登记",                     H::BoxesAndExport, 130},
        {"Menu_Invoice",   M::Data,   false,   "发票登记(&T)",           A::ByRight,   "发票登记",
         make<TInvoice>(), "发票登记", "发票登记",                     H::BoxesAndExport, 130},
        {"Menu_Account",   M::Report, false,   "打印合同执行情况表(&P)", A::ByRight,   "报表管理",
         make<TReport>(),  "报表管理", "报表管理",                     H::BoxesAndExport, 130},
        {"Menu_Summary",   M::Report, false,   "合同执行汇总(&S)",       A::ByRight,   "报表管理",
         make<TSummary>(), "合同执行汇总", "合同执行汇总",             H::BoxesAndExport, 10},
        {"Menu_back",      M::Sys,    divided, "数据备份(&B)",           A::ByRight,   "数据备份",
         make<Tback>(),    "数据备份", "数据备份",                     H::BoxesAndExport, 120},
        {"Menu_TiXin",     M::Bar,    false,   "付款提醒(&T)",           A::EveryUser, "",
         make<TTiXin>(),   "付款提醒", "付款提醒",                     H::BoxesAndExport, 10},
        {"N_Help",         M::BarAfterWindows, false, "关于本软件(&A)",  A::Always,    "",
         make<TAboutBox>(), "关于本软件", "查看帮助",                  H::Nothing,        200},
    };
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

const QStringList &commandRights()
{
    static const QStringList rights = [] {
        QStringList out;
        for (const ChildCommand &c : childCommands())
            if (c.access == Access::ByRight && !out.contains(c.right))
                out << c.right;
        return out;
    }();
    return rights;
}
