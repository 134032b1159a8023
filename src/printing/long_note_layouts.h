#pragma once

#include "printing/document_layout.h"

// The long delivery note and the purchase order share one letter-size design: a header with the
// company, a box of party and document data and the column captions; one detail band per line
// with up to two detail lines below the product name; a footer with two signatures. They differ
// only in a few positions and alignments, held in a LongNoteDesign.
struct LongNoteDesign
{
    // Page header: fields and captions whose place differs.
    Box codeCaption, partyCode, date, partyCaption, partyName, numberCaption, number;
    Box partyAddress1, partyAddress2, reference, employeeCaption, employee;
    Box columnsBox, columnCode, columnItem, columnQuantity, columnUnit;
    // Quantity and unit: captions and values.
    Align quantityAlign;
    // Detail band.
    Box lineCode, lineName, lineQuantity, lineUnit, lineDetail1, lineDetail2;
    // Page footer: the two signature captions and the rules they sign on.
    double footerHeight;
    Box leftSignature;
    double leftSignatureLineY;
    Box rightSignature;
    double rightSignatureLineY;
};

class LongNoteLayout : public DocumentLayout
{
public:
    Report buildReport(const DocumentPrintData &data) const override;

    // The detail rule: the band's height and detail lines by ATTRIB and ATTRIB2.
    static void applyDetailRule(Band &band, const ReportRow &row);

protected:
    explicit LongNoteLayout(const LongNoteDesign &design) : m_design(design) {}

private:
    const LongNoteDesign &m_design;
};

// Long delivery note: goods out and goods in.
class TPrnDO8 final : public LongNoteLayout
{
public:
    TPrnDO8();
    QString className() const override { return QStringLiteral("TPrnDO8"); }
};

// Purchase order: always the purchase-order tables.
class TPrnORD3 final : public LongNoteLayout
{
public:
    TPrnORD3();
    QString className() const override { return QStringLiteral("TPrnORD3"); }

protected:
    int tableKind(int) const override { return kPurchaseOrder; }
};
