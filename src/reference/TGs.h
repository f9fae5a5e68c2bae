#pragma once

#include "reference/ReferenceEditor.h"

// The editor of the own companies (公司清单).
class TGs : public ReferenceEditor
{
    Q_OBJECT
public:
    explicit TGs(QWidget *parent = nullptr);
};
