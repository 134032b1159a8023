#include "documents/document_numbering.h"

#include "common/dates.h"

#include <algorithm>

namespace {

constexpr int kHeadLength = 5;

bool allDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString FirstNumberTitle()
{
    return QStringLiteral("กำหนดเลขที่ใบสำคัญครั้งแรก");
}

QString FirstNumberPrompt()
{
    return QStringLiteral("เลขจำนวน 6 หลัก เช่น 001007 ค่าโดยปริยาย 000001");
}

QString FirstNumberDefault()
{
    return QStringLiteral("000001");
}

QString NotANumberMessage()
{
    return QStringLiteral("ต้องเป็นตัวเลข จำนวน 6 หลัก ยกเลิกแล้วเริ่มต้นใหม่ นะ.");
}

QString NotSixDigitsMessage()
{
    return QStringLiteral("ไม่ครบ 6 หลัก ยกเลิกแล้วเริ่มต้นใหม่ นะ.");
}

QString CannotNumberMessage()
{
    return QStringLiteral(" ยังไม่สามารถกำหนดเลขที่ใบสำคัญตอนนี้ได้ ... รอสักครู่ และดำเนินการใหม่อีกครั้ง");
}

QString CannotSaveMessage()
{
    return QStringLiteral("ไม่สามารถบันทึกข้อมูลได้...");
}

QString NumbersUsedUpMessage(const QString &head)
{
    return QStringLiteral("เลขที่ใบสำคัญ %1 ใช้ครบถึง 999999 แล้ว ออกเลขที่ใหม่ไม่ได้ "
                          "กรุณาเปลี่ยนรหัสนำหน้าเลขที่ในการตั้งค่าระบบ")
        .arg(head);
}

FirstNumberCheck CheckFirstNumber(const QString &answer)
{
    FirstNumberCheck check;
    const bool number = allDigits(answer);
    if (!number)
        check.messages.append(NotANumberMessage());
    if (answer.size() != kRunningDigits)
        check.messages.append(NotSixDigitsMessage());
    if (!number)
        check.messages.append(CannotNumberMessage());
    check.valid = check.messages.isEmpty();
    return check;
}

std::optional<QString> NextDocumentNumber(const QString &last)
{
    const QString running = last.mid(kHeadLength);
    if (last.size() != kHeadLength + kRunningDigits || !allDigits(running))
        return std::nullopt;
    const int next = running.toInt() + 1;
    if (next > 999999)
        return std::nullopt;
    return last.left(kHeadLength) + ZeroPad(QString::number(next), kRunningDigits);
}
