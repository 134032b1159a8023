#pragma once

#include "ui/mode_states.h"
#include "ui/record_list.h"
#include "ui/register_fields.h"
#include "ui/register_source.h"
#include "ui/search_panel.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class EnterMovesFocus;
class QAction;
class QHBoxLayout;
class EditingToolBar;
class QToolButton;
class RecordNavigator;

// The texts a register shows. The defaults are those every register shares.
struct RegisterMessages
{
    QString duplicateOnLeave = QStringLiteral("รหัสข้อมูลซ้ำ ...");
    QString duplicateOnSave = QStringLiteral("รหัสข้อมูลซ้ำ ...");
    QString emptyCode;
    QString saveFailed = QStringLiteral("ขณะนี้ ไม่สามารถบันทึกข้อมูลได้ ");
    QString deleteFailed = QStringLiteral("ขณะนี้ ไม่สามารถลบข้อมูลได้ ");
    // Shown by cancel; empty for no message.
    QString cancelled;
    QString confirmDelete = QStringLiteral("ต้องการลบข้อมูลนี้ ?");
};

// How a new record starts: fields named in keep hold what was on display, fields in values get
// that text, every other field is emptied.
struct NewRecordPreset
{
    QVariantMap values;
    QStringList keep;
};

// Everything in which one register window differs from another.
struct RegisterDef
{
    QString className;
    QString caption;
    QString codeColumn;
    QString nameColumn;
    QList<FieldDef> fields;
    // Enter moves the focus along each chain; a chain that names its first column again at the
    // end goes round.
    QList<QStringList> enterChains;
    // The field beside which the "?" button of the search panel sits.
    QString searchBeside;
    SearchPanelDef search;
    NewRecordPreset add;
    // Offers "เพิ่ม Copy ข้อมูล" (add as a copy of the record shown) when set.
    std::optional<NewRecordPreset> copy;
    QList<SaveCheck> checks;
    RegisterMessages messages;
    // A code found free on leaving the code box sends the focus on to the name.
    bool freeCodeFocusesName = false;
};

// One register window: the tool bar (add, add as copy, edit, delete, Refresh, the navigator,
// cancel, save, close), the mode and the button states, the fields, the search panel, the
// duplicate test on leaving the code box and the save with its error trap. A register is a
// RegisterDef and a RegisterSource; a window of its own adds only what no other register has
// (a picture, a stock figure, an envelope button).
//
// Modes: normal -> add (add, add as copy) -> normal (saved or cancelled); normal -> edit ->
// normal. A save that fails stays in its mode with everything typed. In normal mode every field
// is locked, so nothing typed there can be lost unsaved.
class RegisterWindow : public QWidget
{
    Q_OBJECT
public:
    explicit RegisterWindow(const RegisterDef &def, QWidget *parent = nullptr);
    ~RegisterWindow() override;

    const RegisterDef &def() const { return m_def; }
    QString mode() const { return m_states.mode(); }
    const RecordList &rows() const { return m_rows; }
    // The row on display, -1 when the register is empty.
    int current() const { return m_current; }
    RegisterFields *fields() const { return m_fields; }
    QString fieldText(const QString &column) const { return m_fields->text(column); }
    SearchPanel *searchPanel() const { return m_search; }

public slots:
    void AddClick();
    void CopyClick();
    void EditClick();
    void DeleteClick();
    void RefreshClick();
    void CancelClick();
    void SaveClick();
    void CloseClick();
    void SearchClick();
    // Leaving the code box while adding.
    void CodeExit();

protected:
    // Gives the window its data. Without a source (the data file could not be opened) the window
    // shows why and offers only its close button.
    void start(std::unique_ptr<RegisterSource> source, const QString &error);
    RegisterSource *source() const { return m_source.get(); }

    // An action of the tool bar, before "เ&ลิก", offered in normal mode only.
    QAction *addNormalOnlyAction(const QString &objectName, const QString &caption, const QString &hint = {});
    // A button beside a field, offered in normal mode only.
    QToolButton *addNormalOnlyButton(const QString &column, const QString &objectName, const QString &caption);
    // Space right of the fields for a picture and figures.
    QHBoxLayout *bodyLayout() const { return m_body; }
    ModeStates &states() { return m_states; }

    // Moves to a row (clamped) and shows it; -1 or an empty register shows nothing.
    void moveTo(int row);
    // Re-reads the register and shows the row whose code equals code ignoring case; without one,
    // the row at the same place.
    bool reload(const QString &code);

    // After the fields show a row (row -1: none). The stock figure and the picture live here.
    virtual void recordShown(int row) { Q_UNUSED(row); }
    // After add or add as copy set the fields of the new record.
    virtual void newRecordStarted(bool copy) { Q_UNUSED(copy); }

private:
    void buildToolBar();
    void startNewRecord(const NewRecordPreset &preset, bool copy);
    void setMode(const QString &mode);
    bool runChecks();
    void showSaveResult(RegisterSource::SaveResult result, const QString &error);
    QWidget *codeBox() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

    RegisterDef m_def;
    std::unique_ptr<RegisterSource> m_source;
    RecordList m_rows;
    int m_current = -1;
    QString m_rememberedCode;
    bool m_checkingCode = false;

    EditingToolBar *m_toolBar;
    ModeStates m_states;
    RecordNavigator *m_navigator = nullptr;
    QAction *m_save = nullptr;
    QAction *m_close = nullptr;
    RegisterFields *m_fields = nullptr;
    QHBoxLayout *m_body = nullptr;
    SearchPanel *m_search = nullptr;
    EnterMovesFocus *m_enter = nullptr;
};
