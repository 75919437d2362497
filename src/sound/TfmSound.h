// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QRadioButton;
class SoundStage;
struct ProgramState;
struct SoundReport;

// The sound window (form fmSound): a small diagnostics view of the sound stage, hidden in use. It
// shows what the stage did last and sets its maximum volume.
class TfmSound : public QDialog {
    Q_OBJECT
public:
    TfmSound(ProgramState& state, SoundStage& stage);

    // The diagnostics button "Button2" runs a ghost act.
    void setGhostAct(std::function<void()> ghostAct) { m_ghostAct = std::move(ghostAct); }

    void ShowMaxVolume();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void showReport(const SoundReport& report);
    void showLevels(int left, int right);
    void countClosed();

    ProgramState& m_state;
    SoundStage& m_stage;
    bool m_counted = false;
    std::function<void()> m_ghostAct;

    QLabel* Lbl1 = nullptr; // path
    QLabel* Lbl2 = nullptr; // count
    QLabel* Lbl3 = nullptr; // kind
    QLabel* Lbl4 = nullptr; // number
    QLabel* Lbl5 = nullptr; // specialty
    QLabel* Lbl6 = nullptr; // effect
    QLabel* Lbl9 = nullptr; // result
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QRadioButton*, 4> RadioButtons{};
};
