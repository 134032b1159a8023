#include "registers/register_sticker_sheet.h"

namespace {
RegisterStickerSheetOpener &opener()
{
    static RegisterStickerSheetOpener installed;
    return installed;
}
} // namespace

void SetRegisterStickerSheetOpener(RegisterStickerSheetOpener sheetOpener)
{
    opener() = std::move(sheetOpener);
}

const RegisterStickerSheetOpener &CurrentRegisterStickerSheetOpener()
{
    return opener();
}
