#include "ui/date_picker.h"

#include "common/dates.h"
#include "ui/dialogs.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

DatePicker::DatePicker(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_box = new QLineEdit(this);
    m_box->setInputMask(QStringLiteral("99/99/9999"));
    m_box->setFixedWidth(m_box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    m_box->installEventFilter(this);
    m_button = new QToolButton(this);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_box);
    layout->addWidget(m_button);

    m_popup = new QWidget(this, Qt::Popup);
    auto *popupLayout = new QVBoxLayout(m_popup);
    popupLayout->setContentsMargins(0, 0, 0, 0);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setDateRange(FirstDateOfText(), LastDateOfText());
    m_calendar->setGridVisible(true);
    popupLayout->addWidget(m_calendar);

    connect(m_button, &QToolButton::clicked, this, &DatePicker::openCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate day) {
        m_popup->hide();
        choose(day);
    });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](QDate day) {
        m_popup->hide();
        choose(day);
    });
    connect(m_box, &QLineEdit::editingFinished, this, &DatePicker::takeTypedText);
    setDate(QDate::currentDate());
}

QString DatePicker::text() const
{
    return DateToText(m_date);
}

void DatePicker::setDate(const QDate &date)
{
    if (date.isValid() && date >= FirstDateOfText() && date <= LastDateOfText())
        m_date = date;
    showDate();
}

void DatePicker::choose(const QDate &date)
{
    setDate(date);
    emit chosen();
}

void DatePicker::showDate()
{
    m_box->setText(DateToText(m_date));
}

void DatePicker::openCalendar()
{
    m_calendar->setSelectedDate(m_date);
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void DatePicker::takeTypedText()
{
    // A message box takes the focus and would finish the editing a second time.
    if (m_taking || m_box->text() == DateToText(m_date))
        return;
    m_taking = true;
    QString message;
    const QDate typed = TextToDate(m_box->text(), &message);
    if (typed.isValid()) {
        choose(typed);
    } else {
        showDate();
        Dialogs().message(this, message);
    }
    m_taking = false;
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            emit doubleClicked();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier) {
                openCalendar();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
