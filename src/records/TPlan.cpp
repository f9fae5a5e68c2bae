#include "records/TPlan.h"

namespace {

RecordWindowKind planKind()
{
    using E = RecordWindowKind::Entry;
    RecordWindowKind k;
    k.title = QStringLiteral("计划付款设置");
    k.table = QStringLiteral("计划付款情况表");
    k.groupCaption = QStringLiteral("新增付款计划");
    k.submitCaption = QStringLiteral("提交(&S)");
    k.entries = {E::Contract, E::Date, E::Amount, E::Remark};
    // No designed columns: every field, titled with its name.
    k.columnWidths = {80, 100, 100, 160};
    return k;
}

} // namespace

TPlan::TPlan(QWidget *parent) : RecordWindow(planKind(), parent) {}
