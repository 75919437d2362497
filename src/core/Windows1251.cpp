#include "core/Windows1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr char codecName[] = "windows-1251";
}

QString Windows1251::decode(QByteArrayView bytes) {
    QStringDecoder decoder(codecName);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

std::optional<QByteArray> Windows1251::encode(QStringView text) {
    QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
