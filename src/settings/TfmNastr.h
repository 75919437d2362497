#pragma once

#include <QDialog>

// The settings dialog (form fmNastr).
class TfmNastr : public QDialog {
    Q_OBJECT
public:
    TfmNastr();
};
