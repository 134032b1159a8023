#pragma once

#include <QString>

// The messages of the stock documents, shown by the window and written by post-document alike.
namespace StockMessages {

// Saving a header.
inline QString wrongDate() { return QStringLiteral("ข้อมูล วันที่ ไม่ถูกต้อง ..."); }
inline QString wrongEmployee() { return QStringLiteral("ข้อมูล พนักงาน ไม่ถูกต้อง ..."); }
inline QString partyMissing() { return QStringLiteral("ขาดรายละเอียดลูกค้า ไม่สามรถบันทึกได้ "); }
inline QString partyNotFound() { return QStringLiteral("ไม่พบ รหัสลูกค้านี้.."); }
inline QString noData() { return QStringLiteral("ไม่พบข้อมูล"); }
// Another copy holds the data, or the engine refused the write.
inline QString locked()
{
    return QStringLiteral("ยังไม่สามารถบันทึกได้ตอนนี้ USER อื่น กำลัง  LOCK  ข้อมูลอยู่ รอสักครู่.  แล้วลองใหม่อีกครั้ง ... ");
}

// Deleting a document.
inline QString confirmDeleteDocument()
{
    return QStringLiteral("การลบ จะลบใบสำคัญออกจากระบบ อาจทำให้เลขใบสำคัญกระโดดไม่ต่อเนื่องได้... ยืนยันการลบหรือไม่ ? ");
}
inline QString documentHasLines() { return QStringLiteral("มีข้อมูลรายละเอียดอยู่ ต้องลบข้อมูลออกก่อน..."); }
inline QString confirmDeleteAgain() { return QStringLiteral("ยืนยันการลบใบสำคัญ .. "); }

// Lines.
inline QString noProductChosen() { return QStringLiteral("ไม่มีรายการสินค้า..."); }
inline QString productNotFound() { return QStringLiteral("ไม่พนรายการ..."); }
inline QString notEnoughStock() { return QStringLiteral("จำนวนไม่พอ..."); }
inline QString nothingToCorrect() { return QStringLiteral("ไม่มีรายการให้แก้ไข..."); }
inline QString nothingToDelete() { return QStringLiteral("ไม่มีรายการให้ลบ..."); }
inline QString confirmDeleteLine() { return QStringLiteral("ต้องการลบข้อมูลนี้ ?"); }
inline QString projectNotFound() { return QStringLiteral("ไม่พบ รหัสโครงการนี้.."); }
inline QString lineGone() { return QStringLiteral("ไม่พบรายการนี้แล้ว อาจถูกลบโดย USER อื่น..."); }
inline QString pictureMissing() { return QStringLiteral("ไม่พบรูป ..."); }

} // namespace StockMessages
