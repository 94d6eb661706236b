#pragma once

#include "tests/common/modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include "tests/common/peerprocess.h"

// Test files and expected values come from outside the program: Python writes
// the files, xxd prints the rows, cmp lists the differing bytes.
namespace HexFixtures {

inline QByteArray run(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        p.kill();
    p.waitForFinished(1000);
    if (exitCode)
        *exitCode = p.exitCode();
    return p.readAllStandardOutput();
}

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Runs Python `code` with os, sys and random imported and `path` set; it writes the file.
inline bool python(const QString& path, const QString& code)
{
    int rc = -1;
    run(systemPython(), {"-c", "import os, sys, random\npath = sys.argv[1]\n" + code, path}, &rc);
    return rc == 0;
}

// Offsets of every occurrence (overlapping included) of `hexBytes` ("DEAD") in a file.
inline QList<qint64> pythonFindAll(const QString& path, const QString& hexBytes)
{
    const char* script = "import sys\nd = open(sys.argv[1], 'rb').read()\np = bytes.fromhex(sys.argv[2])\n"
                         "print(*(i for i in range(len(d)) if d.startswith(p, i)))";
    QList<qint64> offsets;
    for (const QByteArray& n : run(systemPython(), {"-c", script, path, hexBytes}).simplified().split(' '))
        if (!n.isEmpty())
            offsets << n.toLongLong();
    return offsets;
}

// Zero-based offsets where two files differ, from `cmp -l` (up to the shorter length).
inline QList<qint64> cmpOffsets(const QString& a, const QString& b)
{
    QList<qint64> offsets;
    for (const QByteArray& line : run("cmp", {"-l", a, b}).split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3)
            offsets << fields.at(0).toLongLong() - 1;
    }
    return offsets;
}

// Answers a series of modal message boxes in order, recording each one's title and text.
class ModalScript
{
public:
    explicit ModalScript(QStringList buttons)
    {
        answerModals<QMessageBox>(&m_context, [this, buttons](QMessageBox* box) mutable {
            if (buttons.isEmpty())
                return;
            titles << box->windowTitle();
            texts << box->text();
            pressButton(box, buttons.takeFirst());
        });
    }
    QStringList titles, texts;

private:
    QObject m_context;
};

} // namespace HexFixtures
