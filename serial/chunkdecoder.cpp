#include "serial/chunkdecoder.h"

#include <QTextCodec>
#include <QTextDecoder>

ChunkDecoder::ChunkDecoder(QObject* parent)
    : QObject(parent), m_gbk(QTextCodec::codecForName("GBK")->makeDecoder()),
      m_utf8(QTextCodec::codecForName("UTF-8")->makeDecoder())
{
}

ChunkDecoder::~ChunkDecoder() = default;

QString ChunkDecoder::decode(const QByteArray& bytes, bool utf8)
{
    return (utf8 ? m_utf8 : m_gbk)->toUnicode(bytes);
}

ChunkDecoder* ChunkDecoder::of(QObject* stream)
{
    auto* decoder = stream->findChild<ChunkDecoder*>(QString(), Qt::FindDirectChildrenOnly);
    return decoder ? decoder : new ChunkDecoder(stream);
}

ChunkDecoder* ChunkDecoder::of(QObject* socket, const QString& sender)
{
    const QList<ChunkDecoder*> known =
        socket->findChildren<ChunkDecoder*>(QString(), Qt::FindDirectChildrenOnly);
    for (ChunkDecoder* decoder : known) {
        if (decoder->objectName() == sender)
            return decoder;
    }
    if (known.size() >= maxSenders)
        delete known.first(); // the longest known
    auto* decoder = new ChunkDecoder(socket);
    decoder->setObjectName(sender);
    return decoder;
}
