#pragma once

#include <QWidget>

// The network server window (form fmNet).
class TfmNet : public QWidget {
    Q_OBJECT
public:
    TfmNet();
};
