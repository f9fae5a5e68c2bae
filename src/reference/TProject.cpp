#include "reference/TProject.h"

namespace {
// Codes are not checked when stored, so the user is reminded of the two-level
// form that the project tree is built on, and that the tree needs a refresh.
const QString kProjectNotice = QStringLiteral("请注意:\n\n项目的一级编码必须为2位，二级编码必须为“XX-XX”格式！\n\n"
                                              "添加成功后请点击工具栏上的“刷新”按钮刷新合同列表！");
} // namespace

TProject::TProject(QWidget *parent)
    : ReferenceEditor({QStringLiteral("项目设置"), QStringLiteral("项目清单"), QStringLiteral("部门"),
                       QStringLiteral("部门"), false, kProjectNotice},
                      parent)
{
}
