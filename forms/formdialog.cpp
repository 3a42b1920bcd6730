#include "forms/formdialog.h"

#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"

FormDialog::FormDialog(ParameterSet &parameters, MessageService &messages, QWidget *parent)
    : QDialog(parent), m_parameters(parameters), m_messages(messages)
{
}

FormDialog::~FormDialog()
{
    // Runs before QDialog's destructor hides the children. The derived form's members are gone
    // by now; only connections from the form's own objects to it could reach them.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

QStringList FormDialog::collected() const
{
    QStringList values = m_parameters.values;
    collectForm(values);
    return values;
}

bool FormDialog::hasUnappliedChanges() const
{
    return m_markedChanged || collected() != m_applied;
}

bool FormDialog::apply()
{
    if (!applyForm())
        return false;
    formLoaded();
    return true;
}

void FormDialog::confirm()
{
    closeAsking(QDialog::Accepted);
}

void FormDialog::reject()
{
    closeAsking(QDialog::Rejected);
}

void FormDialog::cancel()
{
    done(QDialog::Rejected);
}

void FormDialog::formLoaded()
{
    m_applied = collected();
    m_markedChanged = false;
}

void describeField(QWidget *field, const QString &text)
{
    field->setToolTip(text);
    field->setAccessibleDescription(text);
}

void FormDialog::closeAsking(int result)
{
    if (hasUnappliedChanges()) {
        switch (m_messages.question(this, Text::applyChangesQuestion(), Text::applyAnswer(),
                                    Text::dontApplyAnswer())) {
        case MessageService::Answer::Accept:
            if (!apply())
                return; // the refusal has been shown; the form stays with what was typed
            break;
        case MessageService::Answer::Decline:
            break;
        case MessageService::Answer::Cancel:
            return;
        }
    }
    done(result);
}
