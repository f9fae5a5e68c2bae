#pragma once

#include "records/RecordWindow.h"

// The planned payments against contracts.
class TPlan : public RecordWindow
{
    Q_OBJECT
public:
    explicit TPlan(QWidget *parent = nullptr);
};
