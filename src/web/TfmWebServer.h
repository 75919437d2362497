#pragma once

#include <QDialog>

// The web access window (form fmWebServer).
class TfmWebServer : public QDialog {
    Q_OBJECT
public:
    TfmWebServer();
};
