#pragma once

#include "ui/mode_states.h"
#include "ui/register_fields.h"
#include "ui/register_window.h"

#include <QVariantMap>
#include <QWidget>

#include <memory>

class EnterMovesFocus;
class QAction;
class EditingToolBar;

// The one row a single-record window edits (the settings row): read it, write the window's texts
// over it. Values or an error text, never a dialog.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual bool read(QVariantMap *row, QString *error) = 0;
    // Writes texts over the row whose key column held oldKey when the edit began; false when the
    // row is not there any more or the store fails.
    virtual bool save(const QVariantMap &texts, const QString &oldKey, QString *error) = 0;
};

struct SingleRecordDef
{
    QString className;
    QString caption;
    QString pageCaption; // the one tab page the fields sit on
    QString keyColumn;   // identifies the row for the update
    QList<FieldDef> fields;
    QStringList enterChain;
    QList<SaveCheck> checks;
    QString saveCaption = QStringLiteral("บัน&ทึก");
    QString closeCaption = QStringLiteral("เ&ลิก");
    QString saveFailed = QStringLiteral("ขณะนี้ ไม่สามารถบันทึกข้อมูลได้ ");
};

// A window that shows one row and edits it in place: "แ&ก้ไข" unlocks the fields, save checks
// and writes them, cancel puts the stored values back, Refresh (offered in every state) reads the
// row again. Modes normal -> edit -> normal; the fields are locked whenever the window is not
// editing.
class SingleRecordWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SingleRecordWindow(const SingleRecordDef &def, QWidget *parent = nullptr);
    ~SingleRecordWindow() override;

    QString mode() const { return m_states.mode(); }
    RegisterFields *fields() const { return m_fields; }
    const QVariantMap &row() const { return m_row; }

public slots:
    void EditClick();
    void RefreshClick();
    void CancelClick();
    void SaveClick();
    void CloseClick();

protected:
    // Gives the window its row; without a source the window shows why and offers only close.
    void start(std::unique_ptr<RowSource> source, const QString &error);

private:
    bool reread();
    void setMode(const QString &mode);

    SingleRecordDef m_def;
    std::unique_ptr<RowSource> m_source;
    QVariantMap m_row;
    QString m_oldKey;

    EditingToolBar *m_toolBar;
    ModeStates m_states;
    QAction *m_refresh = nullptr;
    RegisterFields *m_fields = nullptr;
    EnterMovesFocus *m_enter = nullptr;
};
