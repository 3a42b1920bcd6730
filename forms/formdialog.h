#pragma once

#include <QDialog>
#include <QStringList>

class MessageService;
struct ParameterSet;

// A field's tooltip (unit and what the rules allow), which is its accessible description too.
void describeField(QWidget *field, const QString &text);

// What the three parameter forms share about closing. "应用" stores the form and it stays open;
// "确认" (Enter presses it), Esc and the close box close it, but first ask whether to apply what
// was typed or chosen since the form opened or since its last "应用"; "取消" closes without
// asking and without storing. Nothing unapplied is lost unasked.
//
// While it is being destroyed a form reacts to none of its own widgets: hiding the children
// commits a half-typed time, whose signal would otherwise reach a form that is half gone.
class FormDialog : public QDialog
{
    Q_OBJECT

public:
    FormDialog(ParameterSet &parameters, MessageService &messages, QWidget *parent);
    ~FormDialog() override;

    // Something typed or chosen, or "恢复默认", since opening or the last stored "应用".
    bool hasUnappliedChanges() const;

public slots:
    // "应用": the form's own checks and store. True when it stored.
    bool apply();
    // "确认" and Enter: close as Accepted, asking first when something is unapplied.
    void confirm();
    // Esc and the close box: close as Rejected, asking first.
    void reject() override;
    // "取消": close without asking or storing.
    void cancel();

protected:
    // The form's "应用": checks the form and stores it into the parameter set; shows its own
    // refusal. True when it stored.
    virtual bool applyForm() = 0;
    // Writes the form's fields, whatever their enabling, into the 59 slot texts.
    virtual void collectForm(QStringList &values) const = 0;
    // Call once the form shows what it opened with: changes count from here.
    void formLoaded();
    // A change that may leave the collected form as it was ("恢复默认").
    void markChanged() { m_markedChanged = true; }

    ParameterSet &m_parameters;
    MessageService &m_messages;

private:
    // The form as "应用" would store it: the parameter set's texts with the form collected in.
    QStringList collected() const;
    void closeAsking(int result);

    QStringList m_applied; // collected() when opened or last stored
    bool m_markedChanged = false;
};
