#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

// A date picker that shows and takes dates as the program writes them: dd/mm/yyyy with the
// Buddhist-era year. The button beside the box opens a calendar; choosing a day there closes it
// and announces the choice. A date typed into the box counts as chosen when the box is left or
// Enter is pressed; a text that is no date is refused with the date message and the box shows the
// date it had.
class DatePicker : public QWidget
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    // The date as text, dd/mm/yyyy in the Buddhist era.
    QString text() const;
    // Sets the date without announcing a choice (a date outside what date texts hold is ignored).
    void setDate(const QDate &date);
    // Sets the date as the calendar does when the user picks a day: announces chosen().
    void choose(const QDate &date);

    QLineEdit *box() const { return m_box; }
    QCalendarWidget *calendar() const { return m_calendar; }

signals:
    // The picker closed after a choice (or a typed date was taken).
    void chosen();
    // The box was double-clicked.
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openCalendar();
    void takeTypedText();
    void showDate();

    QDate m_date;
    QLineEdit *m_box = nullptr;
    QToolButton *m_button = nullptr;
    QWidget *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    bool m_taking = false;
};
