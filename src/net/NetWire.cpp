// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetWire.h"

namespace NetWire {

QByteArrayView ExtractField(char separator, int fieldNumber, QByteArrayView line) {
    qsizetype start = 0;
    for (int n = 1; n < fieldNumber; ++n) {
        const qsizetype at = line.indexOf(separator, start);
        if (at < 0)
            return {};
        start = at + 1;
    }
    if (fieldNumber < 1)
        return {};
    const qsizetype end = line.indexOf(separator, start);
    return line.sliced(start, (end < 0 ? line.size() : end) - start);
}

QByteArray message(QByteArrayView word, std::initializer_list<QByteArrayView> fields) {
    QByteArray line(word.data(), word.size());
    for (QByteArrayView field : fields) {
        line.append(FieldSeparator);
        line.append(field);
    }
    line.append(LineEnd);
    return line;
}

const QByteArray& userVariables() {
    static const QByteArray line = [] {
        QByteArray built("UserVariables");
        for (int n = 1; n <= 160; ++n) {
            built.append(FieldSeparator);
            if (n == 5 || n == 10)
                built.append('0');
            else if (n < 12 || n > 20)
                built.append(QByteArray::number(n));
        }
        built.append(LineEnd);
        return built;
    }();
    return line;
}

} // namespace NetWire
