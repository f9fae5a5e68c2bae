#include "db/LedgerSchema.h"

namespace {

ColumnDef text(const char *name, int width = 0) { return {QString::fromUtf8(name), ColumnType::Text, width}; }
// A code that people type (job number, contract number, project code): one
// value whatever the case of its Latin letters.
ColumnDef code(const char *name, int width) { return {QString::fromUtf8(name), ColumnType::Text, width, true}; }
ColumnDef date(const char *name) { return {QString::fromUtf8(name), ColumnType::Date, 0}; }
ColumnDef amount(const char *name) { return {QString::fromUtf8(name), ColumnType::Amount, 0}; }
ColumnDef integer(const char *name) { return {QString::fromUtf8(name), ColumnType::Integer, 0}; }

IndexDef index(const char *name, const char *table, QStringList columns, bool unique = false)
{
    return {QString::fromUtf8(name), QString::fromUtf8(table), columns, unique};
}

Schema build()
{
    // The three record tables are inserted into by position: keep their order.
    QList<TableDef> tables = {
        {QStringLiteral("合同基本信息表"),
         {code("合同编号", 20), text("合同名称", 100), text("对方单位", 100), amount("合同金额"),
          text("合同内容", 255), text("经办人员", 20), date("签订日期"), date("到期日期"), text("类别", 50),
          code("项目", 20), text("是否审计", 10), text("备注", 255), text("公司名称", 100)}},
        {QStringLiteral("计划付款情况表"),
         {code("合同编号", 20), date("计划付款日期"), amount("计划付款金额"), text("备注", 255)}},
        {QStringLiteral("付款情况表"),
         {code("合同编号", 20), date("付款日期"), amount("付款金额"), text("付款方式", 20), text("经办人员", 20),
          text("凭证号码", 50), text("备注", 255)}},
        {QStringLiteral("发票情况表"),
         {code("合同编号", 20), date("收票日期"), amount("发票金额"), text("经办人员", 20), text("凭证号码", 50),
          text("备注", 255)}},
        {QStringLiteral("合同类别表"), {text("编号", 20), text("类别", 50)}},
        {QStringLiteral("部门清单"), {text("编号", 20), text("部门", 50)}},
        {QStringLiteral("项目清单"), {code("编号", 20), text("项目", 100), text("部门", 50)}},
        {QStringLiteral("公司清单"), {text("编号", 20), text("名称", 100)}},
        {QStringLiteral("对方单位清单"), {text("编号", 20), text("名称", 100)}},
        {QStringLiteral("经办人清单"), {text("编号", 20), text("姓名", 20)}},
        // 密码 holds an Argon2id hash; the windows count the typed password.
        {QStringLiteral("用户清单"),
         {code("工号", 11), text("部门", 50), text("姓名", 10), text("性别", 2), text("密码")}},
        {QStringLiteral("权限清单"), {code("工号", 11), text("权限名称", 20)}},
        {QStringLiteral("日志"), {text("姓名", 20), text("时间", 30), text("动作", 50)}},
        {QStringLiteral("提醒天数"), {integer("天数")}},
        {QString::fromLatin1(kSettingsTable), {text("名称", 50), text("值")}},
    };
    QList<IndexDef> indexes = {
        index("合同编号唯一", "合同基本信息表", {QStringLiteral("合同编号")}, true),
        index("合同项目", "合同基本信息表", {QStringLiteral("项目")}),
        index("计划付款合同", "计划付款情况表", {QStringLiteral("合同编号")}),
        index("付款合同", "付款情况表", {QStringLiteral("合同编号")}),
        index("发票合同", "发票情况表", {QStringLiteral("合同编号")}),
        index("工号唯一", "用户清单", {QStringLiteral("工号")}, true),
        index("姓名唯一", "用户清单", {QStringLiteral("姓名")}, true),
        index("权限工号", "权限清单", {QStringLiteral("工号")}),
        index("日志时间", "日志", {QStringLiteral("时间")}),
        index("设置名称", kSettingsTable, {QStringLiteral("名称")}, true),
    };
    return Schema(tables, indexes);
}

} // namespace

const Schema &ledgerSchema()
{
    static const Schema schema = build();
    return schema;
}

const QList<SchemaStep> &ledgerUpgrades()
{
    static const QList<SchemaStep> steps = {
        // 2: job numbers, contract numbers and project codes compare without
        // regard to Latin letter case.
        {2,
         [](SchemaEditor &e) {
             for (const char *table : {"合同基本信息表", "计划付款情况表", "付款情况表", "发票情况表", "项目清单",
                                       "用户清单", "权限清单"})
                 e.rebuildTable(QString::fromUtf8(table));
         }},
    };
    return steps;
}

Statement insertUserStatement()
{
    return ledgerSchema()[QStringLiteral("用户清单")].insertInto(
        {QStringLiteral("工号"), QStringLiteral("部门"), QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("密码")});
}

Statement insertRightStatement()
{
    return ledgerSchema()[QStringLiteral("权限清单")].insertInto({QStringLiteral("工号"), QStringLiteral("权限名称")});
}
