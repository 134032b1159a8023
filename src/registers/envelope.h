#pragma once

#include "report/report_model.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Where a party register keeps the addressee of its envelope.
struct EnvelopeColumns
{
    QString name;
    QString address1;
    QString address2;
    QString province;
    QString postcode;
};

// The envelope ("ซอง จม.") of one party: an A4 page whose top band carries the company as the
// sender and the party as the addressee. settings is the settings row, party the party's row.
Report EnvelopeReport(const QVariantMap &settings, const QVariantMap &party, const EnvelopeColumns &columns);

// The sender's address line: OF_ADD1, OF_ADD2, OF_ADD4 and OF_ZIP, each one that is not blank,
// every one after the first column behind a single space.
QString SenderAddress(const QVariantMap &settings);

// Reads the party (partyQuery binds :mCust_No to code) and the settings row. False with the error
// text when the store fails or either row is missing.
bool ReadEnvelopeRows(QSqlDatabase db, const QStringList &partyQuery, const QString &code,
                      QVariantMap *party, QVariantMap *settings, QString *error);
