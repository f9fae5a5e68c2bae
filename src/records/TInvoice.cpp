#include "records/TInvoice.h"

namespace {

RecordWindowKind invoiceKind()
{
    using E = RecordWindowKind::Entry;
    RecordWindowKind k;
    k.title = QStringLiteral("发票登记");
    k.table = QStringLiteral("发票情况表");
    k.groupCaption = QStringLiteral("新增发票记录");
    k.submitCaption = QStringLiteral("确定提交(&S)");
    k.addedMessage = QStringLiteral("发票已成功登记！");
    k.entries = {E::Contract, E::Date, E::Amount, E::Handler, E::Voucher, E::Remark};
    for (const char *field : {"合同编号", "收票日期", "发票金额", "经办人员", "凭证号码", "备注"})
    {
        GridColumn column;
        column.field = QString::fromUtf8(field);
        k.columns << column;
    }
    return k;
}

} // namespace

TInvoice::TInvoice(QWidget *parent) : RecordWindow(invoiceKind(), parent) {}
