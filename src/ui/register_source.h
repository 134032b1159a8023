#pragma once

#include "ui/record_list.h"

#include <QString>
#include <QVariantMap>

#include <optional>

// What a register window needs of its table: the rows, the duplicate test, the save and the
// delete. The register's data class answers it on the window's own connection; it returns values
// or an error text and never shows anything, so the window alone decides which message the user
// sees.
class RegisterSource
{
public:
    enum class SaveResult {
        Saved,
        DuplicateCode, // another record already has the code; nothing was written
        Failed,        // a value that is not a number, a record that is gone, an engine error
    };

    virtual ~RegisterSource() = default;

    // Every record of the register in code order.
    virtual bool load(RecordList *rows, QString *error) = 0;
    // Code and name of every record, ordered by orderColumn (the code or the name column).
    virtual bool loadCodesAndNames(const QString &orderColumn, RecordList *rows, QString *error) = 0;
    // Whether a record with exactly this code exists; nullopt when the store fails.
    virtual std::optional<bool> codeExists(const QString &code, QString *error) = 0;
    // Writes the field texts of the window (column -> text) as a new record (adding) or over the
    // record whose code was oldCode. The duplicate test and the write are one transaction.
    virtual SaveResult save(bool adding, const QVariantMap &texts, const QString &oldCode, QString *error) = 0;
    virtual bool remove(const QString &code, QString *error) = 0;
};
