#pragma once

#include "registers/settings_row.h"
#include "ui/single_record_window.h"

SingleRecordDef SystemSettingsDef();
SettingsColumns SystemSettingsColumns();

// The system settings: document number prefixes, print options, the printed layout and the
// texts of printed documents, all in the settings row.
class TRef_Sys_Sql : public SingleRecordWindow
{
    Q_OBJECT
public:
    explicit TRef_Sys_Sql(QWidget *parent = nullptr);
};
