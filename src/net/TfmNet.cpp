#include "net/TfmNet.h"

TfmNet::TfmNet()
    : QWidget(nullptr, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmNet"));
}
