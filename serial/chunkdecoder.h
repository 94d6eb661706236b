#pragma once

#include <QObject>

#include <memory>

class QTextDecoder;

// Decodes one stream of received chunks (one socket or one port opening) with a
// decoder that keeps its state, so a character split across chunks stays whole.
// Attached to the socket as a child, it goes with it.
class ChunkDecoder : public QObject
{
    Q_OBJECT
public:
    explicit ChunkDecoder(QObject* parent = nullptr);
    ~ChunkDecoder() override;

    // GBK text, or UTF-8 when `utf8` is true (each has its own state).
    QString decode(const QByteArray& bytes, bool utf8);

    // The decoder attached to `stream`, made on first use.
    static ChunkDecoder* of(QObject* stream);
    // The decoder of one sender on a socket that hears many (UDP), made on first use, so a
    // character a sender splits between datagrams is joined and senders never mix. Those of
    // the newest `maxSenders` senders are kept.
    static ChunkDecoder* of(QObject* socket, const QString& sender);
    static constexpr int maxSenders = 64;

private:
    std::unique_ptr<QTextDecoder> m_gbk;
    std::unique_ptr<QTextDecoder> m_utf8;
};
