#include "settings/TfmNastr.h"

TfmNastr::TfmNastr()
    : QDialog(nullptr, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmNastr"));
}
