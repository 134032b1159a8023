#pragma once

#include "registers/envelope.h"
#include "registers/register_store.h"
#include "ui/register_window.h"

// The supplier, requisitioner and employee registers are one design; a PartyKind holds every
// point in which they differ.
struct PartyKind
{
    QString className;
    QString caption;
    QString table;
    QString codeColumn;
    QString codeCaption;
    QString nameColumn;
    QString nameCaption;
    QString listCodeHeader;
    QString listNameHeader;
    // Address, province, postcode and telephone columns.
    QString address1, address2, province, postcode, telephone;
    // Suppliers and requisitioners: fax, credit term, grade and the hidden discount.
    bool trades = false;
    // Employees: salary and commission rate.
    bool paid = false;
    QStringList envelopeQuery;
};

const PartyKind &SupplierKind();
const PartyKind &RequisitionerKind();
const PartyKind &EmployeeKind();

RegisterDef PartyRegisterDef(const PartyKind &kind);
RegisterTable PartyTable(const PartyKind &kind);
EnvelopeColumns PartyEnvelopeColumns(const PartyKind &kind);

// The credit terms a supplier or requisitioner may have, in the order of the drop-down.
const QStringList &CreditTerms();

// A party register window: the register pattern plus the envelope button.
class PartyRegisterWindow : public RegisterWindow
{
    Q_OBJECT
public:
    PartyRegisterWindow(const PartyKind &kind, QWidget *parent = nullptr);

    // The envelope of the party on display, laid out; false with the error text when it cannot
    // be read.
    bool envelope(Report *report, QString *error) const;

public slots:
    void EnvelopeClick();

private:
    const PartyKind &m_kind;
    SqlRegisterStore *m_store = nullptr;
};

class TRef_Supply_Sql : public PartyRegisterWindow
{
    Q_OBJECT
public:
    explicit TRef_Supply_Sql(QWidget *parent = nullptr) : PartyRegisterWindow(SupplierKind(), parent) {}
};

class TRef_Cust_Sql : public PartyRegisterWindow
{
    Q_OBJECT
public:
    explicit TRef_Cust_Sql(QWidget *parent = nullptr) : PartyRegisterWindow(RequisitionerKind(), parent) {}
};

class TRef_Sale_Sql : public PartyRegisterWindow
{
    Q_OBJECT
public:
    explicit TRef_Sale_Sql(QWidget *parent = nullptr) : PartyRegisterWindow(EmployeeKind(), parent) {}
};
