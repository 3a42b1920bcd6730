#include "forms/clockdialog.h"

#include "link/programmerexchange.h"
#include "model/messageservice.h"
#include "model/texts.h"
#include "programmer/clockoperations.h"
#include "ui_clockdialog.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>

namespace {

// The programmer counts years within 2000-2099 only.
const QDate kFirstDate(2000, 1, 1);
const QDate kLastDate(2099, 12, 31);

} // namespace

ClockDialog::ClockDialog(ProgrammerExchange &link, MessageService &messages, QWidget *parent,
                         ClockSource now)
    : QDialog(parent), m_ui(std::make_unique<Ui::ClockDialog>()), m_link(link),
      m_messages(messages), m_now(now ? std::move(now) : &QDateTime::currentDateTime)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    // Fixed formats with ASCII digits whatever the system's locale; the calendar that drops
    // down from the date picker still speaks the user's language.
    for (QDateTimeEdit *picker : {static_cast<QDateTimeEdit *>(m_ui->datePicker),
                                  static_cast<QDateTimeEdit *>(m_ui->timePicker)})
        picker->setLocale(QLocale::c());
    m_ui->datePicker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_ui->timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_ui->datePicker->calendarWidget()->setLocale(QLocale());
    m_ui->datePicker->setDateRange(kFirstDate, kLastDate);

    // Room for the longest reading, "2099/12/31   23:59:59", in the current font.
    const QFontMetrics metrics = m_ui->programmerTime->fontMetrics();
    m_ui->programmerTime->setMinimumWidth(
        metrics.horizontalAdvance(QStringLiteral("2099/12/31   23:59:59")) +
        4 * metrics.averageCharWidth());

    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->setAccessibleName(button->text());
    for (QLabel *label : findChildren<QLabel *>())
        label->setAccessibleName(label->text());
    m_ui->datePicker->setAccessibleName(Text::datePickerName());
    m_ui->timePicker->setAccessibleName(Text::timePickerName());
    m_ui->programmerTime->setAccessibleName(Text::programmerTimeName());

    connect(m_ui->manualAdjustButton, &QPushButton::clicked, this, &ClockDialog::onManualAdjust);
    connect(m_ui->readButton, &QPushButton::clicked, this, &ClockDialog::onReadClock);
    connect(m_ui->writeButton, &QPushButton::clicked, this, &ClockDialog::onWriteClock);
    connect(&m_timer, &QTimer::timeout, this, &ClockDialog::onTimer);

    // Opens following the PC clock. QDialog centres itself over its parent when shown.
    showNow();
    m_timer.start(TickMs);
}

ClockDialog::~ClockDialog()
{
    // QDialog's destructor hides the pickers, which commits a half-typed time: by then nothing
    // of the form may react to its own widgets.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

void ClockDialog::onTimer()
{
    // What the user set in the pickers meanwhile is overwritten: they follow the PC clock.
    showNow();
}

void ClockDialog::onManualAdjust()
{
    if (m_following) {
        // The pickers keep the time last shown and can now be set by hand.
        m_timer.stop();
        m_ui->manualAdjustButton->setText(Text::followLocalTime());
    } else {
        m_timer.start(TickMs);
        m_ui->manualAdjustButton->setText(Text::manualAdjust());
        showNow();
    }
    m_ui->manualAdjustButton->setAccessibleName(m_ui->manualAdjustButton->text());
    m_following = !m_following;
}

void ClockDialog::onReadClock()
{
    m_link.beginOperation(Text::clockReadOperation());
    const ClockReading reading = readProgrammerClock(m_link);
    // On a failure the field keeps what it showed.
    if (reading.result.completed())
        setProgrammerTime(reading.time);
    report(reading.result, m_messages, this);
}

void ClockDialog::onWriteClock()
{
    // While following, the time written is the PC's time now, and the pickers show it.
    if (m_following)
        showNow();
    const ClockFields fields = clockFieldsOf(m_ui->datePicker->date(), m_ui->timePicker->time());
    m_link.beginOperation(Text::clockWriteOperation());
    const OperationResult result = writeProgrammerClock(m_link, fields);
    // The field then shows the time written; on a failure it keeps what it showed.
    if (result.completed())
        setProgrammerTime(clockText(fields));
    report(result, m_messages, this);
}

void ClockDialog::keyPressEvent(QKeyEvent *event)
{
    // No button is the default: Enter presses the button that has the focus and nothing
    // else, so finishing an entry in a picker neither writes nor switches the mode.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == 0) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ClockDialog::showNow()
{
    const QDateTime now = m_now();
    m_ui->datePicker->setDate(now.date());
    m_ui->timePicker->setTime(now.time());
}

void ClockDialog::setProgrammerTime(const QString &text)
{
    m_ui->programmerTime->setText(text);
}
