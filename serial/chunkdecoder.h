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

private:
    std::unique_ptr<QTextDecoder> m_gbk;
    std::unique_ptr<QTextDecoder> m_utf8;
};
