#pragma once

#include "reference/ReferenceEditor.h"

// The editor of the projects (项目清单).
class TProject : public ReferenceEditor
{
    Q_OBJECT
public:
    explicit TProject(QWidget *parent = nullptr);
};
