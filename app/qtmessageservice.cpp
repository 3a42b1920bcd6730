#include "app/qtmessageservice.h"

#include "model/texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

void showBox(QMessageBox::Icon icon, QWidget *owner, const QString &text)
{
    QMessageBox box(icon, Text::AppName(), text, QMessageBox::Ok, owner);
    box.exec();
}

} // namespace

void QtMessageService::warning(const QString &text)
{
    // Modal over whichever of our windows is in front: the main window or the form at work.
    showBox(QMessageBox::Warning, QApplication::activeWindow(), text);
}

void QtMessageService::info(QObject *owner, const QString &text)
{
    showBox(QMessageBox::NoIcon, qobject_cast<QWidget *>(owner), text);
}
