#include "records/TPay.h"

namespace {

RecordWindowKind payKind()
{
    using E = RecordWindowKind::Entry;
    RecordWindowKind k;
    k.title = QStringLiteral("付款登记");
    k.table = QStringLiteral("付款情况表");
    k.groupCaption = QStringLiteral("新增付款记录");
    k.submitCaption = QStringLiteral("提交(&S)");
    k.addedMessage = QStringLiteral("付款记录增加成功！");
    k.entries = {E::Contract, E::Date, E::Amount, E::Method, E::Handler, E::Voucher, E::Remark};
    for (const char *field : {"合同编号", "付款日期", "付款金额", "付款方式", "经办人员", "凭证号码", "备注"})
    {
        GridColumn column;
        column.field = QString::fromUtf8(field);
        k.columns << column;
    }
    return k;
}

} // namespace

TPay::TPay(QWidget *parent) : RecordWindow(payKind(), parent) {}
