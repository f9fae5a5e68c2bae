#pragma once

#include "reference/ReferenceEditor.h"

// The editor of the contract classes (合同类别表).
class TClasses : public ReferenceEditor
{
    Q_OBJECT
public:
    explicit TClasses(QWidget *parent = nullptr);
};
