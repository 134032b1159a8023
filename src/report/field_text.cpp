#include "report/field_text.h"

#include "common/number_format.h"

namespace {

bool IsNumeric(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

QString FieldText(const QVariant &value, const QString &mask)
{
    if (value.isNull())
        return {};
    if (IsNumeric(value)) {
        const double number = value.toDouble();
        return mask.isEmpty() ? FormatGeneral(number) : FormatMask(number, mask);
    }
    const QString text = value.toString();
    if (!mask.isEmpty()) {
        bool ok = false;
        const double number = text.trimmed().toDouble(&ok);
        if (ok)
            return FormatMask(number, mask);
    }
    return text;
}
