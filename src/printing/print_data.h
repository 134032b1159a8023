#pragma once

#include <QImage>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

class PageSetup;

// Document kinds as the print hand-off carries them.
inline constexpr int kGoodsOut = 1;
inline constexpr int kGoodsIn = 3;
inline constexpr int kPurchaseOrder = 5;

// The texts a layout takes from the settings row by document kind.
struct DocumentCaptions
{
    QString title;
    QString partyCaption;
    QString leftSignature;
    QString rightSignature;
};

// Everything a document layout reads before it lays out its pages: the document's header row and
// line rows, the party row of the register, the settings row and the logo picture.
struct DocumentPrintData
{
    QString docNo;   // the number handed over, as stored
    int kind = 0;    // the kind handed over (1, 3 or 5)
    int tableKind = 0; // the kind whose tables were read and whose captions print
    QVariantMap header; // empty when no document has the number
    QList<QVariantMap> lines;
    QVariantMap party;  // empty when the party code is empty or not in the register
    QVariantMap settings;
    QImage logo;

    // A settings column as text ("" when missing).
    QString setting(const QString &column) const;
    // A header column as text ("" when missing).
    QString headerText(const QString &column) const;
    // A party column, trimmed.
    QString partyText(const QString &column) const;

    // LINE1 "0": printing on a pre-printed form, so boxes, rules and captions stay off the page.
    bool stationeryPrinted() const;
    // LINE4 "0": no logo, and the company name moves to the left.
    bool logoPrinted() const;

    // Title, party caption and signature captions for the kind whose tables were read.
    DocumentCaptions captions() const;
    QString composedNumber() const;
    QString companyName() const;
    // The company address and contact lines of the letter-size layouts.
    QString companyAddressLine() const;
    QString companyContactLine() const;
    // The short delivery note divides the company texts differently.
    QString shortNoteAddressLine() const;
    QString shortNoteContactLine() const;

    // Margins from PRN_TOP and PRN_LEFT; the bottom margin is bottomBase minus the top margin
    // (a value below zero becomes 0).
    void applyMargins(PageSetup &page, double rightMargin, double bottomBase) const;
};

// ABCD1000123 -> ABCD-1-000123: prefix, kind digit and running number. An empty number stays empty.
QString ComposeDocumentNumber(const QString &number);

// The settings texts of a kind: 1 goods out, 3 goods in, 5 purchase order (fixed signature
// captions); other kinds get empty texts.
DocumentCaptions CaptionsForKind(const QVariantMap &settings, int kind);

// A text made of pieces: each piece is trimmed and, only when it is not empty, added after its
// prefix. {{"", a}, {" ", b}} gives "a b", "a", " b" or "".
struct TextPiece
{
    QString prefix;
    QString value;
};
QString JoinPieces(const QList<TextPiece> &pieces);

// Reads what a layout prints, in the order of the preparation: the logo file
// dataFolder + "logo.bmp", the header row, the line rows and the party row of the tables of
// tableKind, and the settings row. data->kind and data->docNo are set to the values handed
// over. False with an error text when the logo cannot be
// read or the store refuses a statement.
bool LoadDocumentPrintData(QSqlDatabase db, const QString &docNo, int kind, int tableKind,
                           const QString &dataFolder, DocumentPrintData *data, QString *error);

// LINE5 and VIEW1 of the settings row, which decide how the print button prints.
struct PrintChoiceSettings
{
    QString line5;
    QString view1;
};
bool ReadPrintChoiceSettings(QSqlDatabase db, PrintChoiceSettings *settings, QString *error);
