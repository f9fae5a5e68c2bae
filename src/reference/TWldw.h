#pragma once

#include "reference/ReferenceEditor.h"

// The editor of the counterparties (对方单位清单).
class TWldw : public ReferenceEditor
{
    Q_OBJECT
public:
    explicit TWldw(QWidget *parent = nullptr);
};
