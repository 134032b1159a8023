#pragma once

#include "registers/settings_row.h"
#include "ui/single_record_window.h"

class QLabel;

SingleRecordDef OfficeDef();
SettingsColumns OfficeColumns();

// The company profile: the company's own particulars in the settings row, and its logo, the file
// logo.bmp of the data folder that the printed documents load too.
class TRef_Office_Sql : public SingleRecordWindow
{
    Q_OBJECT
public:
    explicit TRef_Office_Sql(QWidget *parent = nullptr);

    QPixmap logo() const;

private:
    QLabel *m_logo = nullptr;
};
