#include "app/qtmessageservice.h"

#include "model/texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace {

void showBox(QMessageBox::Icon icon, QWidget *owner, const QString &text)
{
    QMessageBox box(icon, Text::appName(), text, QMessageBox::Ok, owner);
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

MessageService::Answer QtMessageService::question(QObject *owner, const QString &text,
                                                  const QString &accept, const QString &decline)
{
    QMessageBox box(QMessageBox::Question, Text::appName(), text, QMessageBox::NoButton,
                    qobject_cast<QWidget *>(owner));
    QPushButton *yes = box.addButton(accept, QMessageBox::AcceptRole);
    QPushButton *no = box.addButton(decline, QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(Text::cancel(), QMessageBox::RejectRole);
    for (QPushButton *button : {yes, no, cancel})
        button->setAccessibleName(button->text());
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Accept;
    if (box.clickedButton() == no)
        return Answer::Decline;
    return Answer::Cancel;
}
