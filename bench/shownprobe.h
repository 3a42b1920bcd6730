#pragma once

// For the start-up benchmark's probes: the moment a top-level window has first been painted.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

// Watches every paint; once a window whose title contains `title` has been painted and the
// paint has finished, prints "shown" and ends the process at once, as a user would have seen
// the window by then.
class ShownProbe : public QObject
{
public:
    explicit ShownProbe(QString title) : m_title(std::move(title))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow() &&
            widget->windowTitle().contains(m_title)) {
            // After this paint cycle: the children are painted in the same one.
            QTimer::singleShot(0, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_title;
};
