// A file opened in the hex tool: shown, compared with itself shifted, and searched both ways
// for a pattern taken from its first bytes.
#include "fuzz/fuzzinput.h"
#include "tools/hexbytes.h"
#include "tools/hextablemodel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = bytesOf(data, size);
    HexTableModel model(file);
    const int rows = model.rowCount();
    for (int row : {0, rows / 2, rows - 1}) {
        for (int column = 0; column < HexTableModel::columns; ++column)
            model.data(model.index(row, column));
    }
    const QByteArray pattern = file.left(size ? 1 + data[0] % 4 : 0);
    const qint64 last = HexBytes::lastIndexOf(file, pattern, file.size());
    for (qint64 at = HexBytes::indexOf(file, pattern, 0); at >= 0;
         at = HexBytes::indexOf(file, pattern, at + 1)) {
        if (at + pattern.size() > file.size() || at > last)
            __builtin_trap();
    }
    if (last >= 0 && (last + pattern.size() > file.size() || file.mid(last, pattern.size()) != pattern))
        __builtin_trap();
    HexRowSet hits;
    hits.reset(rows);
    HexBytes::markHitRows(file, pattern, &hits);
    HexBytes::diffRows(file, file.mid(1));
    model.indexOfOffset(size / 2);
    return 0;
}
