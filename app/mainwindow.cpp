#include "app/mainwindow.h"

#include "app/aboutdialog.h"
#include "forms/batteryparameterdialog.h"
#include "forms/clockdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "programmer/parameterfile.h"
#include "programmer/programmeroperations.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr QSize kImageButtonIconSize(24, 24);
#ifdef Q_OS_WIN
// System command of the About entry (the low four bits are reserved for the system).
constexpr unsigned kAboutCommandId = 0x0010;
#endif

} // namespace

MainWindow::MainWindow(ParameterSet &parameters, MessageService &messages, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_parameters(parameters),
      m_messages(messages)
{
    m_ui->setupUi(this);
    // Title bar with the system menu and a close box; no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(Text::MainWindowCaption());

    // Accessible names: the caption where a control has one, its role where it has none.
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty())
            button->setAccessibleName(button->text());
    }
    m_ui->batteryGroupBox->setAccessibleName(Text::BatteryGroupBoxName());
    m_ui->loadGroupBox->setAccessibleName(Text::LoadGroupBoxName());
    m_ui->portList->setAccessibleName(Text::PortListName());
    m_ui->productSelector->setAccessibleName(Text::ProductSelectorName());
    m_ui->productPrompt->setAccessibleName(m_ui->productPrompt->text());
    m_ui->productNameLabel->setAccessibleDescription(Text::ProductLabelRole());

    installAboutEntry();
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));

    // Nothing is selected until the user picks a port. Adapters plugged in later appear while
    // the port is closed.
    RefreshPorts();
    connect(m_ui->portList, &PortListBox::aboutToShowPopup, this, &MainWindow::RefreshPorts);
    connect(&m_portRefresh, &QTimer::timeout, this, &MainWindow::RefreshPorts);
    m_portRefresh.start(PortRefreshMs);

    // Inserted by position, never sorted; position i is ProductType i.
    for (int i = 0; i < int(kProductTypes.size()); ++i)
        m_ui->productSelector->insertItem(i, QString::fromLatin1(kProductTypes[i].name));
    // Type 0 is preselected; both boxes start unchecked.
    m_selection.ChooseProduct(0);
    connect(&m_selection, &SelectionModel::changed, this, &MainWindow::repaintSelection);
    repaintSelection();

    const std::pair<QAbstractButton *, const char *> icons[] = {
        {m_ui->saveButton, ":/icons/save.svg"},   {m_ui->importButton, ":/icons/import.svg"},
        {m_ui->readButton, ":/icons/read.svg"},   {m_ui->updateButton, ":/icons/update.svg"},
        {m_ui->clearButton, ":/icons/clear.svg"}, {m_ui->timeSyncButton, ":/icons/time.svg"},
    };
    for (const auto &[button, path] : icons) {
        button->setIcon(QIcon(QString::fromLatin1(path)));
        button->setIconSize(kImageButtonIconSize);
    }
    // QDialog centres a window without a parent on the screen when it is first shown.

    // Handlers react to a user's action only (clicked / activated), never to programmatic
    // changes, so restoring a selection never runs a command.
    connect(m_ui->portButton, &QPushButton::clicked, this, &MainWindow::TogglePort);
    // A device that has gone leaves the port closed, as the port button would.
    connect(&m_link, &ProgrammerLink::portLost, this, &MainWindow::onPortLost);
    connect(m_ui->productSelector, &QComboBox::activated, this, &MainWindow::OnProductSelected);
    connect(m_ui->batteryGroupBox, &QCheckBox::clicked, this, &MainWindow::OnBatteryGroupClicked);
    connect(m_ui->loadGroupBox, &QCheckBox::clicked, this, &MainWindow::OnLoadGroupClicked);
    connect(m_ui->batteryGroupButton, &QPushButton::clicked, this,
            &MainWindow::OnBatteryParameters);
    connect(m_ui->loadGroupButton, &QPushButton::clicked, this, &MainWindow::OnLoadParameters);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &MainWindow::SaveParameters);
    connect(m_ui->importButton, &QPushButton::clicked, this, &MainWindow::ImportParameters);
    connect(m_ui->readButton, &QPushButton::clicked, this, &MainWindow::OnReadProgrammer);
    connect(m_ui->updateButton, &QPushButton::clicked, this, &MainWindow::OnUpdateProgrammer);
    connect(m_ui->clearButton, &QPushButton::clicked, this, &MainWindow::OnClearProgrammer);
    connect(m_ui->timeSyncButton, &QPushButton::clicked, this, &MainWindow::OnTimeSync);

    // A fresh set is kept nowhere but needs no saving either.
    workKept();
}

MainWindow::~MainWindow() = default;

// --- selection ---------------------------------------------------------------------------

void MainWindow::repaintSelection()
{
    if (m_ui->productSelector->currentIndex() != m_selection.productType())
        m_ui->productSelector->setCurrentIndex(m_selection.productType());
    setLabelText(m_ui->productNameLabel, m_selection.productName());
    m_ui->batteryGroupBox->setChecked(m_selection.batteryBox());
    m_ui->loadGroupBox->setChecked(m_selection.loadBox());
    // A group's button opens its form only while the group is selected.
    m_ui->batteryGroupButton->setEnabled(m_selection.batteryBox());
    m_ui->loadGroupButton->setEnabled(m_selection.loadBox());
    setButtonCaption(m_ui->loadGroupButton, m_selection.generalLoad() ? Text::GeneralLoadCaption()
                                                                      : Text::LedLoadCaption());
}

// --- commands --------------------------------------------------------------------------------

void MainWindow::TogglePort()
{
    if (m_link.portOpen()) {
        m_link.Close();
        repaintPort();
        return;
    }
    if (!m_link.Open(m_ui->portList->currentText())) {
        m_messages.warning(Text::OpenPortFailed());
        return;
    }
    repaintPort();
}

void MainWindow::repaintPort()
{
    setButtonCaption(m_ui->portButton, m_link.portOpen() ? Text::ClosePort() : Text::OpenPort());
    // The port cannot be changed while it is open; closed, the list follows the cable again
    // (the adapter may have gone meanwhile).
    if (m_link.portOpen())
        m_ui->portList->setEnabled(false);
    else
        RefreshPorts();
}

void MainWindow::RefreshPorts()
{
    // The list cannot change while the port is open.
    if (m_link.portOpen())
        return;
    PortListBox *list = m_ui->portList;
    PortListState shown{{}, list->currentIndex()};
    for (int i = 0; i < list->count(); ++i)
        shown.entries.append(list->itemText(i));
    if (const std::optional<PortListState> next = RefreshedPortList(shown, m_enumeratePorts()))
        list->showEntries(next->entries, next->chosen);
    // As at start: usable exactly while there is a port to choose.
    list->setEnabled(list->count() > 0);
}

void MainWindow::setPortEnumerator(std::function<QStringList()> enumerate)
{
    m_enumeratePorts = enumerate ? std::move(enumerate) : &ProgrammerLink::EnumeratePorts;
    RefreshPorts();
}

void MainWindow::OnProductSelected(int index)
{
    m_selection.ChooseProduct(index);
}

void MainWindow::OnBatteryGroupClicked()
{
    m_selection.setBatteryBox(m_ui->batteryGroupBox->isChecked());
}

void MainWindow::OnLoadGroupClicked()
{
    m_selection.setLoadBox(m_ui->loadGroupBox->isChecked());
}

void MainWindow::OnBatteryParameters()
{
    // Modal; the form writes into the parameter set itself on "应用", so how it closed does
    // not matter here.
    BatteryParameterDialog form(m_parameters, m_messages, this);
    form.exec();
}

void MainWindow::OnLoadParameters()
{
    // The form's result is not used: only its "应用" changes the parameters.
    if (m_selection.generalLoad()) {
        GeneralLoadDialog form(m_parameters, m_messages, this);
        form.exec();
    } else {
        LedLoadDialog form(m_parameters, m_messages, this);
        form.exec();
    }
}

bool MainWindow::SaveParameters()
{
    if (!SaveParameterFile(m_parameters, m_selection, m_messages, this,
                           m_filePicker->saveFileName()))
        return false;
    workKept();
    return true;
}

void MainWindow::ImportParameters()
{
    const ImportResult result =
        ImportParameterFile(m_parameters, m_selection, m_filePicker->openFileName());
    if (result.applied) {
        workKept();
        return;
    }
    if (result.message.isEmpty())
        return; // no file chosen
    // Where and why the file is refused, as a second paragraph.
    QString text = result.message;
    if (const std::optional<ParameterFileProblem> &problem = result.problem) {
        text += QStringLiteral("\n\n") + (problem->line > 0
                                              ? Text::FileLineReason(problem->line, problem->text)
                                              : problem->text);
    }
    m_messages.warning(text);
}

ProgrammerContext MainWindow::programmerContext()
{
    return {m_parameters, m_selection, m_link};
}

void MainWindow::OnReadProgrammer()
{
    const OperationResult result = ReadProgrammer(programmerContext());
    if (result.completed())
        workKept();
    Report(result, m_messages, this);
}

void MainWindow::OnUpdateProgrammer()
{
    const OperationResult result = UpdateProgrammer(programmerContext());
    if (result.completed())
        workKept();
    Report(result, m_messages, this);
}

void MainWindow::OnClearProgrammer()
{
    Report(ClearProgrammer(programmerContext()), m_messages, this);
}

void MainWindow::OnTimeSync()
{
    if (!m_link.portOpen()) {
        m_messages.warning(Text::PortUnavailable());
        return;
    }
    // Modal; nothing is carried back when it closes.
    ClockDialog clock(m_link, m_messages, this);
    clock.exec();
}

void MainWindow::ShowAbout()
{
    AboutDialog about(this);
    about.exec();
}

// --- window behaviour ------------------------------------------------------------------------

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Neither key may end the program with every edit. A focused push button takes Enter
    // itself and never gets here; anywhere else Enter presses nothing (no button is the
    // default) and Esc does nothing.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MainWindow::reject()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (hasUnkeptChanges()) {
        switch (m_messages.question(this, Text::SaveChangesQuestion(), Text::SaveAnswer(),
                                    Text::DontSaveAnswer())) {
        case MessageService::Answer::Accept:
            // Ends only once the file is written; a cancelled or failed save stays.
            if (!SaveParameters()) {
                event->ignore();
                return;
            }
            break;
        case MessageService::Answer::Decline:
            break;
        case MessageService::Answer::Cancel:
            event->ignore();
            return;
        }
    }
    // Not QDialog::closeEvent: it would come back through reject().
    event->accept();
    done(QDialog::Rejected);
}

MainWindow::Work MainWindow::currentWork() const
{
    return {m_parameters.values, m_selection.state()};
}

bool MainWindow::hasUnkeptChanges() const
{
    return currentWork() != m_keptWork;
}

void MainWindow::onPortLost(bool whileIdle)
{
    // Closed as the port button closes it. During an operation the operation has said what
    // failed; while idle nobody has, so the user hears it once.
    repaintPort();
    if (whileIdle)
        m_messages.warning(Text::PortDisconnected());
}

void MainWindow::setLabelText(QLabel *label, const QString &text)
{
    // A screen reader reads a changing label by its accessible name.
    label->setText(text);
    label->setAccessibleName(text);
}

void MainWindow::setButtonCaption(QAbstractButton *button, const QString &caption)
{
    button->setText(caption);
    button->setAccessibleName(caption);
}

void MainWindow::installAboutEntry()
{
    const QString entry = Text::AboutMenuEntry();
    if (entry.isEmpty())
        return;
#ifdef Q_OS_WIN
    // The native system menu gets a separator and the entry with command id 16.
    if (HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE)) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, kAboutCommandId, reinterpret_cast<LPCWSTR>(entry.utf16()));
    }
#else
    // Elsewhere the window's context menu carries the entry, and F1 opens it too.
    auto *about = new QAction(entry, this);
    about->setShortcut(QKeySequence(Qt::Key_F1));
    about->setShortcutContext(Qt::WindowShortcut);
    connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
#endif
}

#ifdef Q_OS_WIN
bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommandId) {
        ShowAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif
