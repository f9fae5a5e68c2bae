#include "reference/TDept.h"

TDept::TDept(QWidget *parent)
    : ReferenceEditor({QStringLiteral("部门设置"), QStringLiteral("部门清单"), QStringLiteral("部门"),
                       QStringLiteral("部门"), false, QString()},
                      parent)
{
}
