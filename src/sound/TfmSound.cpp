#include "sound/TfmSound.h"

TfmSound::TfmSound()
    : QWidget(nullptr, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmSound"));
}
