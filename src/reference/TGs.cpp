#include "reference/TGs.h"

TGs::TGs(QWidget *parent)
    : ReferenceEditor({QStringLiteral("公司设置"), QStringLiteral("公司清单"), QStringLiteral("名称"),
                       QStringLiteral("名称"), false, QString()},
                      parent)
{
}
