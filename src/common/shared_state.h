#pragma once

#include <QString>

#include <array>

// Process-wide values through which windows hand things to each other (the data folder and how to
// connect, the menu hand-offs, the user level, the print and sticker hand-offs). They live for the
// whole run, start empty and are never saved. Everything runs on the user-interface thread, so no
// locking is needed.
struct SharedState
{
    // Connection settings, filled at start-up by the main window.
    QString DataFolder;   // ends with the path separator; file names are appended to it
    QString DatabasePath; // DataFolder + "data.abs"
    int DbMaxConnections = 0;
    bool DbMultiUser = false;

    // Menu hand-offs, written just before the window that reads them is created.
    int DocumentMode = 0;      // 1 goods out, 3 goods in, 5 purchase order
    int ListingKind = 0;       // 1 goods-in listing, 2 goods-out listing
    QString ProjectReportMode; // "2" = requisitions for projects

    // User and window state.
    int CurrentUserLevel = 0; // 1..5 (1 highest); 0 = nobody logged in
    bool StockWindowOpen = false;

    // Print hand-off from the stock document window to the document layouts.
    QString PrintDocNo;
    int PrintDocKind = 0; // 1 goods out, 3 goods in, 5 purchase order
    int PrintDocVariant = 0;

    // Sticker hand-off from the sticker job to the sticker sheets. StickerSlots is indexed 1..30.
    QString StickerBarcode;
    QString StickerProductName;
    std::array<bool, 31> StickerSlots{};
    double StickerTopMargin = 0;
    double StickerLeftMargin = 0;
    int StickerPrintLines = 0;
    int StickerPrintName = 0;
    int StickerAlignment = 0; // 0 left, 1 centre, 2 right

    // Hand-off from the product register to its own sticker sheet: the texts of the code box (13
    // characters) and of the name box of the product on display, written by the register's EAN-13
    // button just before it opens the sheet.
    QString RegisterStickerCode;
    QString RegisterStickerName;
};

// The one instance of the program.
SharedState &Shared();
