#include "web/TfmWebServer.h"

TfmWebServer::TfmWebServer()
    : QDialog(nullptr, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmWebServer"));
}
