#pragma once

#include <QWidget>

// The sound window (form fmSound): sound library, playback and mixer levels. Hidden in use.
class TfmSound : public QWidget {
    Q_OBJECT
public:
    TfmSound();
};
