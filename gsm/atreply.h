#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The AT dialogue with a GSM modem: commands the console writes and the reading
// of the replies and unsolicited result codes that come back. No I/O here.
namespace AtReply {

// Plain substring search over one read; the read counts up to its first zero byte.
bool holds(const QByteArray& read, const QByteArray& token);
// Whether what the port holds ends with a final result line ("OK", "ERROR", "SEND OK", ...)
// or a data prompt: the reply is complete and waiting longer adds nothing to it.
bool endsWithFinalResult(const QByteArray& pending);
// The modem refused the command: "ERROR", or an extended "+CME ERROR:"/"+CMS ERROR:".
bool isError(const QByteArray& read);
// A dial that did not get through: no answer, no dial tone, the call ended or the far side was busy.
bool isFailedAttempt(const QByteArray& read);

// Status query replies. Each returns 1 or 0 for the setting found in the read,
// or -1 when the read does not hold the answer yet.
int clipSetting(const QByteArray& read);        // "+CLIP: <n>,..."
int ringerSetting(const QByteArray& read);      // "+CALM: <mode>"; mode 0 means the ringer is on
int smsTextModeSetting(const QByteArray& read); // "+CMGF: <mode>"

// Signal quality: the value after "+CSQ: " up to its comma, 0 when it is not a
// number. `found` tells whether the read held "+CSQ: " at all.
int csqValue(const QByteArray& read, bool* found);
// The picture for a signal value, or nullptr for a value outside the known range.
const char* signalPicture(int value);

// UCS2 hex text: four lower-case hex digits per UTF-16 code unit.
QString toUcs2Hex(const QString& text);
// Back from UCS2 hex; a group that is not hex gives code unit 0, a short tail is dropped.
QString fromUcs2Hex(const QString& hex);

// "+CMGR: " reply of a received message.
bool isReceivedMessage(const QByteArray& reply);
struct SmsMessage
{
    bool valid = false; // false: the header did not have the four quoted fields
    QString sender;     // decoded from UCS2 hex
    QString time;
    QString text; // decoded from UCS2 hex
};
SmsMessage parseReceivedMessage(const QByteArray& reply);
QString formatMessage(const SmsMessage& message);

// Commands.
QByteArray dialCommand(const QString& number);
QByteArray dtmfCommand(char key);
QByteArray smsSendCommand(const QString& number);
QByteArray gprsStartCommand(const QString& address, const QString& port);
// The link's payload: a final line feed goes out as carriage return and line feed.
QByteArray gprsPayload(QByteArray data);
// Chunks of the GPRS link that carry this marker are the modem's own noise.
bool isGprsNoise(const QByteArray& chunk);

// Unsolicited result codes, gathered across reads.
struct Unsolicited
{
    enum Kind { CallEnded, Busy, Connected, IncomingCall, NewSms };
    Kind kind;
    QString detail; // the caller's number or the SMS box; may be empty
};
// The most the reader keeps of an unfinished result (the oldest bytes go first).
inline constexpr int unsolicitedBufferLimit = 4096;
// `buffer` holds what came so far; `ringSeen` and `clipSeen` order a ring and its
// caller-display line. Results come in the order they were recognised.
// A chunk is taken a line at a time, so results that share one read are handled
// in the order they came, each as if it had arrived alone.
QList<Unsolicited> readUnsolicited(QByteArray& buffer, bool& ringSeen, bool& clipSeen,
                                   const QByteArray& chunk);

// Whether one complete line (without its "\r\n") is an unsolicited result the reader
// handles: a ring, a caller or connected-line number, a new-SMS notice, a call ended or busy.
// A reply to a query ("+CLIP: 1,1") is not.
bool isUnsolicitedLine(const QByteArray& line);
// Whether the start of a line may still become such a result once the rest arrives.
bool mayBeUnsolicited(const QByteArray& partialLine);

} // namespace AtReply
