#pragma once

#include "report/report_model.h"

#include <QList>
#include <QVariantMap>

// The reorder list "รายงานสินค้าถึงจุดต้องนำเข้า": code, name, reorder point and stock on hand
// of each row (ReadReorderList's), numbers in their shortest decimal form.
Report ReorderReport(const QList<QVariantMap> &rows);

// The expiry list "รายงานทะเบียนสินค้าสิ้นอายุ": code, name, expiry date and stock on hand.
Report ExpiryReport(const QList<QVariantMap> &rows);
