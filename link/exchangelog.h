#pragma once

#include "link/programmerexchange.h"

#include <QAbstractTableModel>
#include <QByteArrayView>
#include <QString>
#include <QTime>

#include <deque>

// What went over the cable, newest last: for each user command a row naming it, then a row for
// each request sent and each reply judged. Keeps the last MaxRows rows. A table model of four
// columns (time, direction, bytes, verdict) for the log window.
class ExchangeLog : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int MaxRows = 2000;
    static constexpr int ColumnCount = 4;

    struct Row
    {
        QTime time;
        QString direction; // "发送", "接收", or the command's name on a command row
        QString bytes;     // upper-case hex, a blank between bytes
        QString verdict;   // a reply's; empty otherwise
        bool command = false;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void addCommand(const QString &name);
    void addSent(QByteArrayView bytes);
    // `bytes` empty: nothing arrived.
    void addReceived(QByteArrayView bytes, const QString &verdict);
    void clear();

    int size() const { return int(m_rows.size()); }
    const Row &row(int i) const { return m_rows.at(std::size_t(i)); }
    // A row as one line: time (hh:mm:ss.zzz), then its other texts, tab-separated.
    static QString rowText(const Row &row);
    // Every row, one a line, each line ending in "\n".
    QString text() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void append(Row row);

    std::deque<Row> m_rows;
};

// The verdict on a reply as the log shows it: the link's own check, told apart by what failed.
QString replyVerdict(QByteArrayView request, QByteArrayView reply, const ReplyCheck &check);

// Passes every exchange on to a link and records it in a log. A command's row is written with
// its first exchange, so a command that sends nothing leaves no row.
class RecordingExchange : public ProgrammerExchange
{
public:
    RecordingExchange(ProgrammerExchange &link, ExchangeLog &log) : m_link(link), m_log(log) {}

    bool portOpen() const override { return m_link.portOpen(); }
    void setLongWait(bool on = true) override { m_link.setLongWait(on); }
    ReplyCheck exchange(const QString &frameText) override;
    const QByteArray &reply() const override { return m_link.reply(); }
    void beginOperation(const QString &name) override { m_pendingCommand = name; }

private:
    ProgrammerExchange &m_link;
    ExchangeLog &m_log;
    QString m_pendingCommand;
};
