#pragma once

#include "ui/record_list.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <functional>

class QAbstractButton;
class EnterMovesFocus;
class QButtonGroup;

enum class FieldKind {
    Line,    // one-line box
    Memo,    // several lines; Enter starts a new line
    Choice,  // drop-down of fixed items that also takes typed text
    Options, // radio choices; the value is the position of the chosen item as a digit
    Hidden,  // no control: holds the value of the record shown and writes it back
};

// One field of an editing window: the column it shows, its caption and its limits.
struct FieldDef
{
    QString column;
    QString caption;
    FieldKind kind = FieldKind::Line;
    // Characters the box takes; 0 for no limit. Never more than the column holds, so nothing is
    // cut in the store.
    int maxLength = 0;
    // Text right of the box, such as "( ไม่เกิน 13 หลัก )".
    QString note;
    // Items of a Choice or Options field.
    QStringList items;
    // Shown in the shortest general form (3, 2.5); an empty value shows as 0.
    bool number = false;
    // Caption of the framed group the field sits in; neighbouring fields with the same group
    // share one frame.
    QString group;
};

// A test of one field before a save, with the message shown when it fails.
struct SaveCheck
{
    QString column;
    std::function<bool(const QString &text)> accepts;
    QString message;
};

// Shorthands for the field lists.
FieldDef LineField(const QString &column, const QString &caption, int maxLength = 0, const QString &note = {});
FieldDef MemoField(const QString &column, const QString &caption, int maxLength);
FieldDef NumberField(const QString &column, const QString &caption, int maxLength = 0);
FieldDef ChoiceField(const QString &column, const QString &caption, int maxLength, const QStringList &items);
FieldDef OptionsField(const QString &column, const QString &caption, const QStringList &items);
FieldDef HiddenField(const QString &column);

// The boxes of an editing window built from its field list, in that order, with their captions,
// notes and limits: filled from a record, read back as texts, locked and unlocked together.
class RegisterFields : public QWidget
{
    Q_OBJECT
public:
    explicit RegisterFields(const QList<FieldDef> &defs, QWidget *parent = nullptr);

    const QList<FieldDef> &defs() const { return m_defs; }
    bool has(const QString &column) const;
    // The control of a field (the frame of an Options field); nullptr for hidden fields.
    QWidget *box(const QString &column) const;
    // Puts a widget right of a field's box (a "?" button, a unit label).
    void addBeside(const QString &column, QWidget *widget);

    // A field's value as text. An Options field answers the stored text it was filled with while
    // its choice is unchanged, and the position of the new choice once the user picked another.
    QString text(const QString &column) const;
    void setText(const QString &column, const QString &text);
    // column -> text of every field.
    QVariantMap texts() const;
    // Fills every field from a row of rows; row -1 (an empty register) empties them.
    void fill(const RecordList &rows, int row);

    // Enter moves the focus from each field of columns to the next; choosing from a drop-down
    // moves on as Enter does.
    void linkEnterChain(EnterMovesFocus *enter, const QStringList &columns);

    // Runs the checks in order; the first that fails shows its message, takes the focus to its
    // field and answers false.
    bool passes(const QList<SaveCheck> &checks);

    void setLocked(bool locked);
    bool locked() const { return m_locked; }

    // The position an Options field shows for a stored text: the text as a number, the last item
    // for anything beyond it, the first for anything that is not a position.
    static int optionPosition(const QString &stored, int itemCount);

private:
    struct Field
    {
        FieldDef def;
        QWidget *box = nullptr;
        QWidget *beside = nullptr; // the row's container for the note and extra widgets
        QButtonGroup *options = nullptr;
        QString hiddenValue;
        QString storedOption; // the text an Options field was filled with
    };
    const Field *field(const QString &column) const;
    Field *field(const QString &column);
    QWidget *buildBox(Field &field);
    void setOption(Field &field, const QString &stored);

    QList<FieldDef> m_defs;
    QList<Field> m_fields;
    QHash<QString, int> m_index; // lower-case column -> position in m_fields
    bool m_locked = false;
};
