#pragma once

#include "registers/register_store.h"
#include "ui/register_window.h"

RegisterDef ProjectRegisterDef();
RegisterTable ProjectTable();

// The project register: the register pattern with three fields, no envelope.
class TRef_Project : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TRef_Project(QWidget *parent = nullptr);
};
