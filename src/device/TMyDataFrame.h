// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoardPoller.h"

#include <QFrame>

#include <array>

class QCheckBox;
class QLineEdit;
class QTabWidget;

// The monitor page of one board: shows what its poller last read, and its outputs as boxes that
// the user ticks and that follow the outputs set elsewhere (the door).
class TMyDataFrame : public QFrame {
    Q_OBJECT
public:
    static constexpr int Inputs = 10;
    static constexpr int Outputs = BoardPoller::Outputs;

    // The poller must outlive the page.
    TMyDataFrame(QWidget* owner, BoardPoller& poller);

    QCheckBox* outputBox(int number) const { return m_outputs.at(static_cast<size_t>(number - 1)); }
    QCheckBox* inputBox(int number) const { return m_inputs.at(static_cast<size_t>(number - 1)); }
    QLineEdit* analogField() const { return Edit_AD1; }
    QLineEdit* frequencyField() const { return Edit_FQ1; }

private:
    void createControls();
    void followOutputs(BoardPoller& poller);
    void showReading(const BoardReport::Inputs& inputs);

    QTabWidget* PageControl1 = nullptr;
    QLineEdit* Edit_AD1 = nullptr;
    QLineEdit* Edit_FQ1 = nullptr;
    std::array<QCheckBox*, Inputs> m_inputs{};
    std::array<QCheckBox*, Outputs> m_outputs{};
};
