#pragma once

#include "app/qtfilepicker.h"
#include "link/exchangelog.h"
#include "link/programmerlink.h"
#include "model/language.h"
#include "model/selectionmodel.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class CommunicationLogWindow;
class MessageService;
struct ProgrammerContext;
struct ParameterSet;
class QLabel;
class QAbstractButton;
class QAction;

namespace Ui {
class MainWindow;
}

// The program's only top-level window, run modally; closing it ends the program. It routes
// every command to its handler and shows the selection model that operations read and restore.
// Enter and Esc never close it; closing it while the parameters are kept nowhere (not saved,
// imported, read or written since they last changed) asks whether to save them first.
class MainWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int PortRefreshMs = 2000;

    MainWindow(ParameterSet &parameters, MessageService &messages, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Where saveParameters and importParameters get their paths; not owned. Tests hand in their
    // own; nullptr goes back to the platform's file dialogs.
    void setFilePicker(FilePicker *picker);

    ProgrammerLink &link() { return m_link; }
    // Every exchange of every command, as the communication log shows it.
    ExchangeLog &exchangeLog() { return m_log; }
    // The log window once "通信记录" has opened it; it stays while the window lives.
    CommunicationLogWindow *logWindow() const { return m_logWindow; }

    // Where the port list comes from (ProgrammerLink::enumeratePorts unless tests hand in their
    // own); the list is refreshed from it at once.
    void setPortEnumerator(std::function<QStringList()> enumerate);

    SelectionModel &selection() { return m_selection; }

    // The parameters, the product or a group box changed since they were last saved to a file,
    // imported, read from the programmer or written to it.
    bool hasUnkeptChanges() const;

public slots:
    void togglePort();
    // Enumerates the ports again while the port is closed: every PortRefreshMs and when the
    // list drops down.
    void refreshPorts();
    void onProductSelected(int index);
    void onBatteryGroupClicked();
    void onLoadGroupClicked();
    void onBatteryParameters();
    void onLoadParameters();
    // True when the file was written.
    bool saveParameters();
    void importParameters();
    void onReadProgrammer();
    void onUpdateProgrammer();
    void onClearProgrammer();
    void onTimeSync();
    // Reads the programmer as onReadProgrammer does, changes nothing, and shows how what it
    // holds differs from what an update would write.
    void onCompareProgrammer();
    void onCommunicationLog();
    void showAbout();
    // Closes the window as its close box does, asking first (never called by a key).
    void reject() override;
    // Applies a language at once and keeps it for the next start.
    void chooseLanguage(Language language);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private:
    // Shows the selection model: label, selector, boxes, group buttons, load caption.
    void repaintSelection();
    // Shows whether the port is open: the port button's caption, the port list's enabling.
    void repaintPort();
    void setLabelText(QLabel *label, const QString &text);
    void setButtonCaption(QAbstractButton *button, const QString &caption);
    void installAboutEntry();
    // The texts the code sets beside the layout's: accessible names, the About entry.
    void retranslate();
    ProgrammerContext programmerContext();
    void onPortLost(bool whileIdle);

    // What the user would lose on closing: compared with the state last kept somewhere.
    struct Work
    {
        QStringList values;
        SelectionModel::State selection;
        friend bool operator==(const Work &, const Work &) = default;
    };
    Work currentWork() const;
    // The parameters are now kept: in a file or in the programmer.
    void workKept()
    {
        m_keptWork = currentWork();
    }

    std::unique_ptr<Ui::MainWindow> m_ui;
    ParameterSet &m_parameters;
    MessageService &m_messages;
    SelectionModel m_selection;
    ProgrammerLink m_link{m_messages};
    ExchangeLog m_log;
    // What the commands talk to: the link, with every exchange recorded in the log.
    RecordingExchange m_recorder{m_link, m_log};
    CommunicationLogWindow *m_logWindow = nullptr;
    QAction *m_aboutAction = nullptr;
    QList<QAction *> m_languageActions;
    std::unique_ptr<FilePicker> m_qtFilePicker = std::make_unique<QtFilePicker>(this);
    FilePicker *m_filePicker = m_qtFilePicker.get();
    std::function<QStringList()> m_enumeratePorts = &ProgrammerLink::enumeratePorts;
    QTimer m_portRefresh;
    Work m_keptWork;
};
