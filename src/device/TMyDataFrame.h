// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/TMyDevice.h"

#include <QFrame>
#include <QTimer>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QTabWidget;
class TJvHidDeviceController;

// The monitor of one board: polls it every 100 ms from creation to destruction, shows its inputs
// and sends the outputs ticked on the page.
class TMyDataFrame : public QFrame {
    Q_OBJECT
public:
    static constexpr int Inputs = 10;
    static constexpr int Outputs = 10;
    // Switched off on the board when the frame goes: the first five outputs.
    static constexpr int OutputsOffAtEnd = 5;

    TMyDataFrame(QWidget* owner, int productId, TJvHidDeviceController* controller);
    // Switches the first five outputs off with one last exchange.
    ~TMyDataFrame() override;

    void Timer_WorkTimer();

    const TMyDevice& device() const { return *m_device; }
    QCheckBox* outputBox(int number) const { return m_outputs.at(static_cast<size_t>(number - 1)); }
    QCheckBox* inputBox(int number) const { return m_inputs.at(static_cast<size_t>(number - 1)); }
    QLineEdit* analogField() const { return Edit_AD1; }
    QLineEdit* frequencyField() const { return Edit_FQ1; }
    const QTimer& workTimer() const { return Timer_Work; }

signals:
    // After each cycle in which the board answered: bit k set when digital input k (0..8) is on.
    void inputsRead(quint16 inputs);

private:
    void createControls();
    // False when the exchange raised an error, which ends the cycle.
    bool exchangeLogged();

    std::unique_ptr<TMyDevice> m_device;
    QTimer Timer_Work;
    QTabWidget* PageControl1 = nullptr;
    QLineEdit* Edit_AD1 = nullptr;
    QLineEdit* Edit_FQ1 = nullptr;
    std::array<QCheckBox*, Inputs> m_inputs{};
    std::array<QCheckBox*, Outputs> m_outputs{};
};
