#include "support/scriptedexchange.h"

#include "link/hexframe.h"
#include "support/referenceframes.h"

ReplyCheck ScriptedExchange::exchange(const QString &frameText)
{
    requests.append(frameText);
    longWaits.append(m_longWait);
    m_longWait = false;
    m_reply = m_replies.isEmpty() ? QByteArray() : m_replies.takeFirst();
    return checkReply(parseHex(frameText).bytes, m_reply);
}

QByteArray readReplyBytes(const QList<quint16> &words)
{
    QByteArray data;
    for (quint16 word : words) {
        data.append(char(word >> 8));
        data.append(char(word & 0xFF));
    }
    return referenceReadReply(data);
}

QByteArray writeEchoBytes(const QString &requestText)
{
    QByteArray frame = QByteArray::fromHex(requestText.toLatin1()).left(6);
    const quint16 crc = referenceCrc(frame);
    return frame + char(crc & 0xFF) + char(crc >> 8);
}
