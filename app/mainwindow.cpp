#include "app/mainwindow.h"

#include "app/aboutdialog.h"
#include "app/drawnicon.h"
#include "forms/batteryparameterdialog.h"
#include "forms/clockdialog.h"
#include "forms/communicationlogwindow.h"
#include "forms/comparisondialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "programmer/parameterfile.h"
#include "programmer/programmeroperations.h"
#include "programmer/registermap.h"
#include "rules/blockdiff.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QTableView>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr QSize kImageButtonIconSize(24, 24);
#ifdef Q_OS_WIN
// System command of the About entry (the low four bits are reserved for the system).
constexpr unsigned kAboutCommandId = 0x0010;
// The language entries: Chinese, then English.
constexpr unsigned kChineseCommandId = 0x0020;
constexpr unsigned kEnglishCommandId = 0x0030;
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
    setWindowTitle(Text::mainWindowCaption());
    retranslate();
    installAboutEntry();
    setWindowIcon(drawnIcon(QStringLiteral(":/icons/app.svg"), {16, 32, 64}));

    // Nothing is selected until the user picks a port. Adapters plugged in later appear while
    // the port is closed.
    refreshPorts();
    connect(m_ui->portList, &PortListBox::aboutToShowPopup, this, &MainWindow::refreshPorts);
    connect(&m_portRefresh, &QTimer::timeout, this, &MainWindow::refreshPorts);
    m_portRefresh.start(PortRefreshMs);

    // Inserted by position, never sorted; position i is ProductType i.
    for (int i = 0; i < int(kProductTypes.size()); ++i)
        m_ui->productSelector->insertItem(i, QString::fromLatin1(kProductTypes[i].name));
    // Type 0 is preselected; both boxes start unchecked.
    m_selection.chooseProduct(0);
    connect(&m_selection, &SelectionModel::changed, this, &MainWindow::repaintSelection);
    repaintSelection();

    const std::pair<QAbstractButton *, const char *> icons[] = {
        {m_ui->saveButton, ":/icons/save.svg"},       {m_ui->importButton, ":/icons/import.svg"},
        {m_ui->readButton, ":/icons/read.svg"},       {m_ui->updateButton, ":/icons/update.svg"},
        {m_ui->clearButton, ":/icons/clear.svg"},     {m_ui->timeSyncButton, ":/icons/time.svg"},
        {m_ui->compareButton, ":/icons/compare.svg"}, {m_ui->logButton, ":/icons/log.svg"},
    };
    for (const auto &[button, path] : icons) {
        button->setIcon(drawnIcon(QString::fromLatin1(path), {kImageButtonIconSize.width()}));
        button->setIconSize(kImageButtonIconSize);
    }
    // QDialog centres a window without a parent on the screen when it is first shown.

    // Handlers react to a user's action only (clicked / activated), never to programmatic
    // changes, so restoring a selection never runs a command.
    connect(m_ui->portButton, &QPushButton::clicked, this, &MainWindow::togglePort);
    // A device that has gone leaves the port closed, as the port button would.
    connect(&m_link, &ProgrammerLink::portLost, this, &MainWindow::onPortLost);
    connect(m_ui->productSelector, &QComboBox::activated, this, &MainWindow::onProductSelected);
    connect(m_ui->batteryGroupBox, &QCheckBox::clicked, this, &MainWindow::onBatteryGroupClicked);
    connect(m_ui->loadGroupBox, &QCheckBox::clicked, this, &MainWindow::onLoadGroupClicked);
    connect(m_ui->batteryGroupButton, &QPushButton::clicked, this,
            &MainWindow::onBatteryParameters);
    connect(m_ui->loadGroupButton, &QPushButton::clicked, this, &MainWindow::onLoadParameters);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &MainWindow::saveParameters);
    connect(m_ui->importButton, &QPushButton::clicked, this, &MainWindow::importParameters);
    connect(m_ui->readButton, &QPushButton::clicked, this, &MainWindow::onReadProgrammer);
    connect(m_ui->updateButton, &QPushButton::clicked, this, &MainWindow::onUpdateProgrammer);
    connect(m_ui->clearButton, &QPushButton::clicked, this, &MainWindow::onClearProgrammer);
    connect(m_ui->timeSyncButton, &QPushButton::clicked, this, &MainWindow::onTimeSync);
    connect(m_ui->compareButton, &QPushButton::clicked, this, &MainWindow::onCompareProgrammer);
    connect(m_ui->logButton, &QPushButton::clicked, this, &MainWindow::onCommunicationLog);

    // A fresh set is kept nowhere but needs no saving either.
    workKept();
}

MainWindow::~MainWindow()
{
    // The log window shows m_log, which goes before the window's children do.
    delete m_logWindow;
}

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
    setButtonCaption(m_ui->loadGroupButton, m_selection.generalLoad() ? Text::generalLoadCaption()
                                                                      : Text::ledLoadCaption());
}

void MainWindow::retranslate()
{
    // Accessible names: the caption where a control has one, its role where it has none.
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty())
            button->setAccessibleName(button->text());
    }
    m_ui->batteryGroupBox->setAccessibleName(Text::batteryGroupBoxName());
    m_ui->loadGroupBox->setAccessibleName(Text::loadGroupBoxName());
    m_ui->portList->setAccessibleName(Text::portListName());
    m_ui->productSelector->setAccessibleName(Text::productSelectorName());
    m_ui->productPrompt->setAccessibleName(m_ui->productPrompt->text());
    m_ui->productNameLabel->setAccessibleDescription(Text::productLabelRole());
    if (m_aboutAction)
        m_aboutAction->setText(Text::aboutMenuEntry());
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The layout's captions from the new translation, then what the code sets: captions
        // that follow the state, accessible names.
        m_ui->retranslateUi(this);
        setWindowTitle(Text::mainWindowCaption());
        repaintSelection();
        setButtonCaption(m_ui->portButton,
                         m_link.portOpen() ? Text::closePort() : Text::openPort());
        retranslate();
    }
    QDialog::changeEvent(event);
}

void MainWindow::chooseLanguage(Language language)
{
    installLanguage(language);
    QSettings().setValue(QStringLiteral("language"), languageCode(currentLanguage()));
    for (QAction *action : m_languageActions)
        action->setChecked(action->data().toString() == languageCode(currentLanguage()));
}

// --- commands --------------------------------------------------------------------------------

void MainWindow::togglePort()
{
    if (m_link.portOpen()) {
        m_link.close();
        repaintPort();
        return;
    }
    if (!m_link.open(m_ui->portList->currentText())) {
        m_messages.warning(Text::openPortFailed());
        return;
    }
    repaintPort();
}

void MainWindow::repaintPort()
{
    setButtonCaption(m_ui->portButton, m_link.portOpen() ? Text::closePort() : Text::openPort());
    // The port cannot be changed while it is open; closed, the list follows the cable again
    // (the adapter may have gone meanwhile).
    if (m_link.portOpen())
        m_ui->portList->setEnabled(false);
    else
        refreshPorts();
}

void MainWindow::refreshPorts()
{
    // The list cannot change while the port is open.
    if (m_link.portOpen())
        return;
    PortListBox *list = m_ui->portList;
    PortListState shown{{}, list->currentIndex()};
    for (int i = 0; i < list->count(); ++i)
        shown.entries.append(list->itemText(i));
    if (const std::optional<PortListState> next = refreshedPortList(shown, m_enumeratePorts()))
        list->showEntries(next->entries, next->chosen);
    // As at start: usable exactly while there is a port to choose.
    list->setEnabled(list->count() > 0);
}

void MainWindow::setPortEnumerator(std::function<QStringList()> enumerate)
{
    m_enumeratePorts = enumerate ? std::move(enumerate) : &ProgrammerLink::enumeratePorts;
    refreshPorts();
}

void MainWindow::onProductSelected(int index)
{
    m_selection.chooseProduct(index);
}

void MainWindow::onBatteryGroupClicked()
{
    m_selection.setBatteryBox(m_ui->batteryGroupBox->isChecked());
}

void MainWindow::onLoadGroupClicked()
{
    m_selection.setLoadBox(m_ui->loadGroupBox->isChecked());
}

void MainWindow::onBatteryParameters()
{
    // Modal; the form writes into the parameter set itself on "应用", so how it closed does
    // not matter here.
    BatteryParameterDialog form(m_parameters, m_messages, this);
    form.exec();
}

void MainWindow::onLoadParameters()
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

bool MainWindow::saveParameters()
{
    if (!saveParameterFile(m_parameters, m_selection, m_messages, this,
                           m_filePicker->saveFileName()))
        return false;
    workKept();
    return true;
}

void MainWindow::importParameters()
{
    const ImportResult result =
        importParameterFile(m_parameters, m_selection, m_filePicker->openFileName());
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
                                              ? Text::fileLineReason(problem->line, problem->text)
                                              : problem->text);
    }
    m_messages.warning(text);
}

void MainWindow::setFilePicker(FilePicker *picker)
{
    m_filePicker = picker ? picker : m_qtFilePicker.get();
    if (m_logWindow)
        m_logWindow->setFilePicker(m_filePicker);
}

ProgrammerContext MainWindow::programmerContext()
{
    return {m_parameters, m_selection, m_recorder};
}

void MainWindow::onReadProgrammer()
{
    m_recorder.beginOperation(Text::readProgrammerOperation());
    const OperationResult result = readProgrammer(programmerContext());
    if (result.completed())
        workKept();
    report(result, m_messages, this);
}

void MainWindow::onUpdateProgrammer()
{
    m_recorder.beginOperation(Text::updateProgrammerOperation());
    const OperationResult result = updateProgrammer(programmerContext());
    if (result.completed())
        workKept();
    report(result, m_messages, this);
}

void MainWindow::onClearProgrammer()
{
    m_recorder.beginOperation(Text::clearProgrammerOperation());
    report(clearProgrammer(programmerContext()), m_messages, this);
}

void MainWindow::onTimeSync()
{
    if (!m_link.portOpen()) {
        m_messages.warning(Text::portUnavailable());
        return;
    }
    // Modal; nothing is carried back when it closes.
    ClockDialog clock(m_recorder, m_messages, this);
    clock.exec();
}

void MainWindow::onCompareProgrammer()
{
    m_recorder.beginOperation(Text::compareProgrammerOperation());
    const BlockReading reading = readProgrammerBlock(m_recorder);
    if (!reading.result.completed()) {
        report(reading.result, m_messages, this);
        return;
    }
    const StoredBlock programmer{reading.productName, reading.groups, reading.parameters.values};
    const StoredBlock current{storedProductName(m_selection.productName()),
                              m_selection.currentGroupSelection(), m_parameters.values};
    ComparisonDialog dialog(blockDifferences(programmer, current), this);
    dialog.exec();
}

void MainWindow::onCommunicationLog()
{
    if (!m_logWindow) {
        m_logWindow = new CommunicationLogWindow(m_log, m_messages, this);
        m_logWindow->setFilePicker(m_filePicker);
    }
    m_logWindow->show();
    m_logWindow->raise();
    m_logWindow->activateWindow();
    m_logWindow->table()->scrollToBottom();
}

void MainWindow::showAbout()
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
        switch (m_messages.question(this, Text::saveChangesQuestion(), Text::saveAnswer(),
                                    Text::dontSaveAnswer())) {
        case MessageService::Answer::Accept:
            // Ends only once the file is written; a cancelled or failed save stays.
            if (!saveParameters()) {
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
        m_messages.warning(Text::portDisconnected());
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
    const QString entry = Text::aboutMenuEntry();
    if (entry.isEmpty())
        return;
#ifdef Q_OS_WIN
    // The native system menu gets a separator and the entry with command id 16.
    if (HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE)) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, kAboutCommandId, reinterpret_cast<LPCWSTR>(entry.utf16()));
        HMENU languages = ::CreatePopupMenu();
        ::AppendMenuW(languages, MF_STRING, kChineseCommandId,
                      reinterpret_cast<LPCWSTR>(Text::chineseLanguage().utf16()));
        ::AppendMenuW(languages, MF_STRING, kEnglishCommandId,
                      reinterpret_cast<LPCWSTR>(Text::englishLanguage().utf16()));
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages),
                      reinterpret_cast<LPCWSTR>(Text::languageMenu().utf16()));
    }
#else
    // Elsewhere the window's context menu carries the entry, and F1 opens it too.
    auto *about = new QAction(entry, this);
    about->setShortcut(QKeySequence(Qt::Key_F1));
    about->setShortcutContext(Qt::WindowShortcut);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    addAction(about);
    m_aboutAction = about;
    // The language menu, named in both languages so that either reader finds it.
    auto *languages = new QMenu(Text::languageMenu(), this);
    auto *exclusive = new QActionGroup(languages);
    for (const auto &[language, name] : {std::pair{Language::Chinese, Text::chineseLanguage()},
                                         {Language::English, Text::englishLanguage()}}) {
        QAction *action = languages->addAction(name);
        action->setCheckable(true);
        action->setActionGroup(exclusive);
        action->setData(languageCode(language));
        action->setChecked(language == currentLanguage());
        connect(action, &QAction::triggered, this,
                [this, language = language] { chooseLanguage(language); });
        m_languageActions.append(action);
    }
    addAction(languages->menuAction());
    setContextMenuPolicy(Qt::ActionsContextMenu);
#endif
}

#ifdef Q_OS_WIN
bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SYSCOMMAND) {
        const unsigned command = unsigned(msg->wParam & 0xFFF0);
        if (command == kAboutCommandId)
            showAbout();
        else if (command == kChineseCommandId || command == kEnglishCommandId)
            chooseLanguage(command == kEnglishCommandId ? Language::English : Language::Chinese);
        else
            return QDialog::nativeEvent(eventType, message, result);
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif
