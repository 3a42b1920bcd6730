#pragma once

#include "app/qtfilepicker.h"
#include "app/selectionstate.h"
#include "link/programmerlink.h"

#include <QDialog>

#include <memory>

class MessageService;
struct ProgrammerContext;
struct ParameterSet;
class QLabel;
class QAbstractButton;

namespace Ui {
class MainWindow;
}

// The program's only top-level window, run modally; closing it ends the program. It routes
// every command to its handler and keeps the selection state that operations read and restore.
class MainWindow : public QDialog, public SelectionState
{
    Q_OBJECT

public:
    MainWindow(ParameterSet &parameters, MessageService &messages, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Where SaveParameters and ImportParameters get their paths; not owned. Tests hand in their
    // own; nullptr goes back to the platform's file dialogs.
    void setFilePicker(FilePicker *picker)
    {
        m_filePicker = picker ? picker : m_qtFilePicker.get();
    }

    // The control with the given numeric id (see controlids.h), or nullptr.
    QWidget *control(int id) const;

    ProgrammerLink &link() { return m_link; }

    // SelectionState
    QString productName() const override;
    void setProductName(const QString &name) override;
    bool batteryBoxChecked() const override;
    void setBatteryBoxChecked(bool checked) override;
    bool loadBoxChecked() const override;
    void setLoadBoxChecked(bool checked) override;
    bool generalLoad() const override;
    void setGeneralLoad(bool general) override;
    void ApplyGroupEnabling() override;
    void ClearGroupBoxes() override;
    GroupSelection CurrentGroupSelection() const override;
    void clearProductSelectorText() override;

public slots:
    void TogglePort();
    void OnProductSelected(int index);
    void OnBatteryGroupClicked();
    void OnLoadGroupClicked();
    void OnBatteryParameters();
    void OnLoadParameters();
    void SaveParameters();
    void ImportParameters();
    void OnReadProgrammer();
    void OnUpdateProgrammer();
    void OnClearProgrammer();
    void OnTimeSync();
    void ShowAbout();

protected:
    void keyPressEvent(QKeyEvent *event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private:
    void setLabelText(QLabel *label, const QString &text);
    void setButtonCaption(QAbstractButton *button, const QString &caption);
    void installAboutEntry();
    ProgrammerContext programmerContext();

    std::unique_ptr<Ui::MainWindow> m_ui;
    ParameterSet &m_parameters;
    MessageService &m_messages;
    // Which load form the load group button opens; always agrees with its caption.
    bool m_generalLoad = true;
    ProgrammerLink m_link{m_messages};
    std::unique_ptr<FilePicker> m_qtFilePicker = std::make_unique<QtFilePicker>(this);
    FilePicker *m_filePicker = m_qtFilePicker.get();
};
