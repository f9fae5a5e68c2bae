#include "reference/TClasses.h"

TClasses::TClasses(QWidget *parent)
    : ReferenceEditor({QStringLiteral("合同类别设置"), QStringLiteral("合同类别表"), QStringLiteral("名称"),
                       QStringLiteral("类别"), true, QString()},
                      parent)
{
}
