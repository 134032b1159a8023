#pragma once

#include <functional>

class QWidget;

// The product register's own sticker sheet (30 EAN-13 stickers of the product on display, with
// its name at the top) belongs to the sticker subsystem, which sits above the registers. That
// subsystem installs an opener here when the program starts. The opener reads
// RegisterStickerCode and RegisterStickerName of the shared state (the register writes them just
// before it calls), lays the sheet out, shows its print preview as a child window and returns
// that preview (deleted when it closes), or nullptr when it could not show one. Until an opener
// is installed the register's EAN-13 button checks the code and hands the values over, and no
// sheet opens.
using RegisterStickerSheetOpener = std::function<QWidget *()>;

void SetRegisterStickerSheetOpener(RegisterStickerSheetOpener opener);
const RegisterStickerSheetOpener &CurrentRegisterStickerSheetOpener();
