#include "forms/communicationlogwindow.h"

#include "link/exchangelog.h"
#include "model/filepicker.h"
#include "model/messageservice.h"
#include "model/texts.h"
#include "programmer/parameterfile.h"
#include "ui_communicationlogwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

namespace {

// Command rows in bold; a reply's full bytes as the tooltip of its cell, however narrow.
class LogViewModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *log = static_cast<const ExchangeLog *>(sourceModel());
        if (role == Qt::FontRole && log->row(index.row()).command) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::ToolTipRole && index.column() == 2)
            return QIdentityProxyModel::data(index, Qt::DisplayRole);
        return QIdentityProxyModel::data(index, role);
    }
};

// The exchanges of a command run while the event loop waits; the table lays itself out and
// paints at once for each row, so the log shows them as they happen.
class LiveTableView : public QTableView
{
public:
    using QTableView::QTableView;

    void showNewRows(bool follow)
    {
        executeDelayedItemsLayout();
        updateGeometries();
        if (follow)
            scrollToBottom();
        viewport()->repaint();
    }
};

} // namespace

CommunicationLogWindow::CommunicationLogWindow(ExchangeLog &log, MessageService &messages,
                                               QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CommunicationLogWindow>()), m_log(log),
      m_messages(messages)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    for (QAbstractButton *button : {m_ui->copyButton, m_ui->saveButton, m_ui->clearButton})
        button->setAccessibleName(button->text());

    auto *table = new LiveTableView(this);
    m_table = table;
    table->setAccessibleName(Text::logCaption());
    table->setModel(new LogViewModel(table));
    static_cast<QIdentityProxyModel *>(table->model())->setSourceModel(&m_log);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    QHeaderView *header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    fitColumns();
    m_ui->logLayout->insertWidget(0, table);
    const QFontMetrics metrics = table->fontMetrics();
    // A read's value table (5 + 2 x 59 bytes) takes a wide view; about 16 rows.
    table->setMinimumSize(metrics.averageCharWidth() * 125,
                          header->sizeHint().height() +
                              table->verticalHeader()->defaultSectionSize() * 16);

    connect(&m_log, &ExchangeLog::rowsInserted, this, &CommunicationLogWindow::onRowsInserted);
    connect(m_ui->copyButton, &QPushButton::clicked, this, &CommunicationLogWindow::copyAll);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &CommunicationLogWindow::save);
    connect(m_ui->clearButton, &QPushButton::clicked, &m_log, &ExchangeLog::clear);
}

CommunicationLogWindow::~CommunicationLogWindow() = default;

void CommunicationLogWindow::fitColumns()
{
    // Widths for the longest texts a column holds in the language shown: a time, a direction or
    // a command's name, a verdict. The bytes take the rest.
    QFont boldFont = m_table->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont); // command rows are bold: the widest case
    const auto widest = [&bold](const QStringList &texts) {
        int width = 0;
        for (const QString &text : texts)
            width = std::max(width, bold.horizontalAdvance(text));
        return width + bold.averageCharWidth() * 3;
    };
    QHeaderView *header = m_table->horizontalHeader();
    header->resizeSection(0, widest({QStringLiteral("00:00:00.000")}));
    header->resizeSection(
        1, widest({Text::logSent(), Text::logReceived(), Text::readProgrammerOperation(),
                   Text::updateProgrammerOperation(), Text::clearProgrammerOperation(),
                   Text::compareProgrammerOperation(), Text::clockReadOperation(),
                   Text::clockWriteOperation()}));
    header->resizeSection(
        3, widest({Text::verdictCorrect(), Text::verdictTimeout(), Text::verdictCrc(),
                   Text::verdictSlave(), Text::verdictFunction(), Text::verdictLength(),
                   Text::verdictByteCount(), Text::verdictEcho(),
                   Text::verdictException(QStringLiteral("00")), Text::verdictNotTaken()}));
}

void CommunicationLogWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        for (QAbstractButton *button : {m_ui->copyButton, m_ui->saveButton, m_ui->clearButton})
            button->setAccessibleName(button->text());
        m_table->setAccessibleName(Text::logCaption());
        fitColumns();
        // The rows keep the words they were written in; the headers follow.
        emit m_log.headerDataChanged(Qt::Horizontal, 0, ExchangeLog::ColumnCount - 1);
    }
    QDialog::changeEvent(event);
}

void CommunicationLogWindow::onRowsInserted()
{
    if (!isVisible())
        return;
    // Follows the newest row unless the user has scrolled up to read.
    const QScrollBar *bar = m_table->verticalScrollBar();
    const bool follow = bar->value() >= bar->maximum() - 1;
    // Painting at once costs milliseconds a row; a command's rows come faster than the eye
    // follows, so at most every PaintIntervalMs, the rest when the command is over.
    if (!m_lastPaint.isValid() || m_lastPaint.hasExpired(PaintIntervalMs)) {
        static_cast<LiveTableView *>(m_table)->showNewRows(follow);
        m_lastPaint.start();
    } else if (follow && !m_followPending) {
        m_followPending = true;
        QTimer::singleShot(0, this, [this] {
            m_followPending = false;
            m_table->scrollToBottom();
        });
    }
}

void CommunicationLogWindow::copyAll()
{
    QGuiApplication::clipboard()->setText(m_log.text());
}

bool CommunicationLogWindow::save()
{
    const QString chosen = m_filePicker ? m_filePicker->saveFileName() : QString();
    if (chosen.isEmpty())
        return false;
    if (!writeParameterFile(withTextExtension(chosen), m_log.text().toUtf8())) {
        m_messages.warning(Text::logSaveFailed());
        return false;
    }
    return true;
}
