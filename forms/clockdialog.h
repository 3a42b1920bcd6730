#pragma once

#include <QDateTime>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

class MessageService;
class ProgrammerExchange;

namespace Ui {
class ClockDialog;
}

// "时间参数设置界面": shows the PC's local time live (following) or keeps a date and time set by
// hand (manual), reads the programmer's clock and writes the pickers' date and time into it.
// It uses the link it is given (the main window's) and has none of its own.
class ClockDialog : public QDialog
{
    Q_OBJECT

public:
    using ClockSource = std::function<QDateTime()>;
    static constexpr int TickMs = 1000;

    // `now` gives the PC's local time; empty means the system clock. Tests hand in their own.
    ClockDialog(ProgrammerExchange &link, MessageService &messages, QWidget *parent = nullptr,
                ClockSource now = {});
    ~ClockDialog() override;

    // True while the pickers follow the PC clock; the tick timer runs exactly then.
    bool following() const { return m_following; }
    const QTimer &tickTimer() const { return m_timer; }

public slots:
    void onTimer();
    void onManualAdjust();
    void onReadClock();
    void onWriteClock();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Sets both pickers to the PC's local time now.
    void showNow();
    void setProgrammerTime(const QString &text);

    std::unique_ptr<Ui::ClockDialog> m_ui;
    ProgrammerExchange &m_link;
    MessageService &m_messages;
    ClockSource m_now;
    QTimer m_timer;
    bool m_following = true;
};
