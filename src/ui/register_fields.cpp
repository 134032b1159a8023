#include "ui/register_fields.h"

#include "ui/dialogs.h"
#include "ui/enter_moves_focus.h"
#include "ui/locale_number.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextCursor>

namespace {

// A memo that takes at most maxLength characters: whatever typing or pasting adds beyond the
// limit is taken back at once, so the box never holds more than the column keeps.
class LimitedMemo final : public QPlainTextEdit
{
public:
    LimitedMemo(int maxLength, QWidget *parent)
        : QPlainTextEdit(parent)
        , m_maxLength(maxLength)
    {
        setTabChangesFocus(true);
        connect(this, &QPlainTextEdit::textChanged, this, [this] { enforceLimit(); });
    }

private:
    void enforceLimit()
    {
        const int excess = int(toPlainText().size()) - m_maxLength;
        if (m_maxLength <= 0 || excess <= 0)
            return;
        QTextCursor cursor = textCursor();
        const int end = cursor.position();
        cursor.setPosition(std::max(0, end - excess));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }

    int m_maxLength;
};

int boxWidth(const QWidget *box, int maxLength)
{
    return box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (std::max(maxLength, 3) + 2) + 12;
}

} // namespace

FieldDef LineField(const QString &column, const QString &caption, int maxLength, const QString &note)
{
    FieldDef field;
    field.column = column;
    field.caption = caption;
    field.maxLength = maxLength;
    field.note = note;
    return field;
}

FieldDef MemoField(const QString &column, const QString &caption, int maxLength)
{
    FieldDef field = LineField(column, caption, maxLength);
    field.kind = FieldKind::Memo;
    return field;
}

FieldDef NumberField(const QString &column, const QString &caption, int maxLength)
{
    FieldDef field = LineField(column, caption, maxLength);
    field.number = true;
    return field;
}

FieldDef ChoiceField(const QString &column, const QString &caption, int maxLength, const QStringList &items)
{
    FieldDef field = LineField(column, caption, maxLength);
    field.kind = FieldKind::Choice;
    field.items = items;
    return field;
}

FieldDef OptionsField(const QString &column, const QString &caption, const QStringList &items)
{
    FieldDef field = LineField(column, caption);
    field.kind = FieldKind::Options;
    field.items = items;
    return field;
}

FieldDef HiddenField(const QString &column)
{
    FieldDef field = LineField(column, QString());
    field.kind = FieldKind::Hidden;
    return field;
}

RegisterFields::RegisterFields(const QList<FieldDef> &defs, QWidget *parent)
    : QWidget(parent)
    , m_defs(defs)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QGridLayout *grid = nullptr;
    QString group;
    for (const FieldDef &def : defs) {
        Field f;
        f.def = def;
        if (def.kind != FieldKind::Hidden) {
            if (!grid || def.group != group) {
                group = def.group;
                QWidget *section = group.isEmpty() ? new QWidget(this) : new QGroupBox(group, this);
                grid = new QGridLayout(section);
                if (group.isEmpty())
                    grid->setContentsMargins(0, 0, 0, 0);
                grid->setColumnStretch(1, 1);
                outer->addWidget(section);
            }
            const int row = grid->rowCount();
            f.box = buildBox(f);
            // The box, then its note and any widgets put beside it; a short box leaves the rest
            // of the line empty, a long one takes it.
            auto *line = new QWidget(this);
            auto *lineLayout = new QHBoxLayout(line);
            lineLayout->setContentsMargins(0, 0, 0, 0);
            const bool shortBox = f.box->maximumWidth() < QWIDGETSIZE_MAX;
            lineLayout->addWidget(f.box, shortBox ? 0 : 1);
            f.beside = new QWidget(line);
            auto *besideLayout = new QHBoxLayout(f.beside);
            besideLayout->setContentsMargins(0, 0, 0, 0);
            if (!def.note.isEmpty())
                besideLayout->addWidget(new QLabel(def.note, f.beside));
            lineLayout->addWidget(f.beside);
            if (shortBox)
                lineLayout->addStretch(1);
            if (def.kind == FieldKind::Options) {
                grid->addWidget(line, row, 0, 1, 2);
            } else {
                auto *caption = new QLabel(def.caption, this);
                caption->setBuddy(f.box);
                grid->addWidget(caption, row, 0);
                grid->addWidget(line, row, 1);
            }
        }
        m_index.insert(def.column.toLower(), int(m_fields.size()));
        m_fields.append(f);
    }
    outer->addStretch();
}

QWidget *RegisterFields::buildBox(Field &field)
{
    const FieldDef &def = field.def;
    QWidget *box = nullptr;
    switch (def.kind) {
    case FieldKind::Line: {
        auto *edit = new QLineEdit(this);
        if (def.maxLength > 0)
            edit->setMaxLength(def.maxLength);
        const int widthInDigits = def.maxLength > 0 ? def.maxLength : (def.number ? 15 : 0);
        if (widthInDigits > 0 && widthInDigits <= 25)
            edit->setMaximumWidth(boxWidth(edit, widthInDigits));
        box = edit;
        break;
    }
    case FieldKind::Memo: {
        auto *memo = new LimitedMemo(def.maxLength, this);
        memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
        box = memo;
        break;
    }
    case FieldKind::Choice: {
        auto *combo = new QComboBox(this);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(def.items);
        if (def.maxLength > 0) {
            combo->lineEdit()->setMaxLength(def.maxLength);
            combo->setMaximumWidth(boxWidth(combo, def.maxLength) + 40); // room for the arrow
        }
        box = combo;
        break;
    }
    case FieldKind::Options: {
        auto *frame = new QGroupBox(def.caption, this);
        // Two or three choices sit side by side, longer lists one under the other.
        QBoxLayout *layout = def.items.size() <= 3 ? static_cast<QBoxLayout *>(new QHBoxLayout(frame))
                                                     : new QVBoxLayout(frame);
        field.options = new QButtonGroup(frame);
        for (int i = 0; i < def.items.size(); ++i) {
            auto *button = new QRadioButton(def.items[i], frame);
            button->setObjectName(def.column + QStringLiteral("_%1").arg(i));
            field.options->addButton(button, i);
            layout->addWidget(button);
        }
        layout->addStretch(1);
        box = frame;
        break;
    }
    case FieldKind::Hidden:
        break;
    }
    if (box)
        box->setObjectName(def.column);
    return box;
}

const RegisterFields::Field *RegisterFields::field(const QString &column) const
{
    const int i = m_index.value(column.toLower(), -1);
    return i < 0 ? nullptr : &m_fields[i];
}

RegisterFields::Field *RegisterFields::field(const QString &column)
{
    const int i = m_index.value(column.toLower(), -1);
    return i < 0 ? nullptr : &m_fields[i];
}

bool RegisterFields::has(const QString &column) const
{
    return field(column) != nullptr;
}

QWidget *RegisterFields::box(const QString &column) const
{
    const Field *f = field(column);
    return f ? f->box : nullptr;
}

void RegisterFields::addBeside(const QString &column, QWidget *widget)
{
    Field *f = field(column);
    if (!f || !f->beside)
        return;
    static_cast<QHBoxLayout *>(f->beside->layout())->addWidget(widget);
}

int RegisterFields::optionPosition(const QString &stored, int itemCount)
{
    bool ok = false;
    const int position = stored.trimmed().toInt(&ok);
    if (!ok || position < 0 || itemCount <= 0)
        return 0;
    return std::min(position, itemCount - 1);
}

void RegisterFields::setOption(Field &f, const QString &stored)
{
    f.storedOption = stored;
    if (QAbstractButton *button = f.options->button(optionPosition(stored, int(f.def.items.size()))))
        button->setChecked(true);
}

QString RegisterFields::text(const QString &column) const
{
    const Field *f = field(column);
    if (!f)
        return {};
    switch (f->def.kind) {
    case FieldKind::Line:
        return static_cast<QLineEdit *>(f->box)->text();
    case FieldKind::Memo:
        return static_cast<QPlainTextEdit *>(f->box)->toPlainText();
    case FieldKind::Choice:
        return static_cast<QComboBox *>(f->box)->currentText();
    case FieldKind::Options: {
        const int chosen = f->options->checkedId();
        if (chosen == optionPosition(f->storedOption, int(f->def.items.size())))
            return f->storedOption;
        return QString::number(chosen);
    }
    case FieldKind::Hidden:
        return f->hiddenValue;
    }
    return {};
}

void RegisterFields::setText(const QString &column, const QString &text)
{
    Field *f = field(column);
    if (!f)
        return;
    switch (f->def.kind) {
    case FieldKind::Line:
        static_cast<QLineEdit *>(f->box)->setText(text);
        break;
    case FieldKind::Memo:
        static_cast<QPlainTextEdit *>(f->box)->setPlainText(text);
        break;
    case FieldKind::Choice:
        static_cast<QComboBox *>(f->box)->setCurrentText(text);
        break;
    case FieldKind::Options:
        setOption(*f, text);
        break;
    case FieldKind::Hidden:
        f->hiddenValue = text;
        break;
    }
}

QVariantMap RegisterFields::texts() const
{
    QVariantMap values;
    for (const Field &f : m_fields)
        values.insert(f.def.column, text(f.def.column));
    return values;
}

void RegisterFields::fill(const RecordList &rows, int row)
{
    for (const Field &f : std::as_const(m_fields)) {
        const QVariant value = rows.value(row, f.def.column);
        if (row < 0)
            setText(f.def.column, QString());
        else
            setText(f.def.column, f.def.number ? NumberToBoxText(value.toDouble()) : value.toString());
    }
}

void RegisterFields::linkEnterChain(EnterMovesFocus *enter, const QStringList &columns)
{
    for (int i = 0; i + 1 < columns.size(); ++i) {
        QWidget *from = box(columns[i]);
        QWidget *to = box(columns[i + 1]);
        if (!from || !to)
            continue;
        enter->link(from, to);
        if (auto *combo = qobject_cast<QComboBox *>(from)) {
            enter->link(combo->lineEdit(), to);
            connect(combo, &QComboBox::activated, to, [to] { to->setFocus(Qt::TabFocusReason); });
        }
    }
}

bool RegisterFields::passes(const QList<SaveCheck> &checks)
{
    for (const SaveCheck &check : checks) {
        if (check.accepts(text(check.column)))
            continue;
        Dialogs().message(window(), check.message);
        if (QWidget *failed = box(check.column))
            failed->setFocus();
        return false;
    }
    return true;
}

void RegisterFields::setLocked(bool locked)
{
    m_locked = locked;
    for (const Field &f : std::as_const(m_fields)) {
        switch (f.def.kind) {
        case FieldKind::Line:
            static_cast<QLineEdit *>(f.box)->setReadOnly(locked);
            break;
        case FieldKind::Memo:
            static_cast<QPlainTextEdit *>(f.box)->setReadOnly(locked);
            break;
        case FieldKind::Choice:
        case FieldKind::Options:
            f.box->setEnabled(!locked);
            break;
        case FieldKind::Hidden:
            break;
        }
    }
}
