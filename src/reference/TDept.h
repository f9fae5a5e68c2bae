#pragma once

#include "reference/ReferenceEditor.h"

// The editor of the departments (部门清单).
class TDept : public ReferenceEditor
{
    Q_OBJECT
public:
    explicit TDept(QWidget *parent = nullptr);
};
