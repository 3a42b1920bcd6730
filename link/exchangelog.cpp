#include "link/exchangelog.h"

#include "link/hexframe.h"
#include "model/texts.h"

namespace {

QString spacedHex(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

} // namespace

void ExchangeLog::append(Row row)
{
    if (m_rows.size() >= MaxRows) {
        beginRemoveRows({}, 0, 0);
        m_rows.pop_front();
        endRemoveRows();
    }
    const int at = size();
    beginInsertRows({}, at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

void ExchangeLog::addCommand(const QString &name)
{
    append({QTime::currentTime(), name, {}, {}, true});
}

void ExchangeLog::addSent(QByteArrayView bytes)
{
    append({QTime::currentTime(), Text::logSent(), spacedHex(bytes), {}});
}

void ExchangeLog::addReceived(QByteArrayView bytes, const QString &verdict)
{
    append({QTime::currentTime(), Text::logReceived(), spacedHex(bytes), verdict});
}

void ExchangeLog::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QString ExchangeLog::rowText(const Row &row)
{
    QStringList fields{row.time.toString(QStringLiteral("HH:mm:ss.zzz")), row.direction};
    if (!row.command)
        fields << row.bytes << row.verdict;
    while (fields.size() > 2 && fields.last().isEmpty())
        fields.removeLast();
    return fields.join(u'\t');
}

QString ExchangeLog::text() const
{
    QString text;
    for (const Row &row : m_rows)
        text += rowText(row) + u'\n';
    return text;
}

int ExchangeLog::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : size();
}

int ExchangeLog::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ExchangeLog::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= size())
        return {};
    const Row &r = row(index.row());
    switch (index.column()) {
    case 0:
        return r.time.toString(QStringLiteral("HH:mm:ss.zzz"));
    case 1:
        return r.direction;
    case 2:
        return r.bytes;
    default:
        return r.verdict;
    }
}

QVariant ExchangeLog::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return Text::logHeaders().value(section);
}

QString replyVerdict(QByteArrayView request, QByteArrayView reply, const ReplyCheck &check)
{
    if (check.kind == ReplyCheck::Valid)
        return Text::verdictCorrect();
    if (check.kind == ReplyCheck::Exception)
        return Text::verdictException(hex2Text(check.exceptionCode));
    switch (replyFault(request, reply)) {
    case ReplyFault::NoReply:
        return Text::verdictTimeout();
    case ReplyFault::Slave:
        return Text::verdictSlave();
    case ReplyFault::Crc:
        return Text::verdictCrc();
    case ReplyFault::Length:
        return Text::verdictLength();
    case ReplyFault::Function:
        return Text::verdictFunction();
    case ReplyFault::ByteCount:
        return Text::verdictByteCount();
    case ReplyFault::Echo:
        return Text::verdictEcho();
    default:
        // The bytes would pass on their own, but the link did not take them as this request's
        // answer.
        return Text::verdictNotTaken();
    }
}

ReplyCheck RecordingExchange::exchange(const QString &frameText)
{
    if (!m_link.portOpen())
        return m_link.exchange(frameText);
    if (!m_pendingCommand.isEmpty()) {
        m_log.addCommand(m_pendingCommand);
        m_pendingCommand.clear();
    }
    const QByteArray request = parseHex(frameText).bytes;
    m_log.addSent(request);
    const ReplyCheck check = m_link.exchange(frameText);
    m_log.addReceived(m_link.reply(), replyVerdict(request, m_link.reply(), check));
    return check;
}
