// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardReport.h"

namespace BoardReport {

Bytes outputReport(const Requests& FDOutputs) {
    Bytes report{};
    for (int output = 0; output < BoardOutputs; ++output) {
        if (FDOutputs[static_cast<size_t>(output)] != 0)
            report[2] |= OutputMasks[static_cast<size_t>(output)];
    }
    return report;
}

void applyInputReport(const Bytes& report, Inputs& inputs) {
    const bool digitalKind = (report[1] & 0x01) != 0;
    if (digitalKind) {
        for (size_t bit = 0; bit < 8; ++bit)
            inputs.DInputs[bit] = (report[2] >> bit & 0x01) != 0;
        for (size_t analog = 3; analog <= 6; ++analog)
            inputs.AInputs[analog] = report[analog];
        const int count = report[7] + 256 * report[8];
        inputs.Frequency = count / FrequencyDivisor;
    } else {
        for (size_t analog = 0; analog <= 2; ++analog)
            inputs.AInputs[analog] = report[3 + analog];
        inputs.DInputs[8] = (report[6] & 0x02) != 0;
        inputs.Input10 = (report[6] & 0x04) != 0;
    }
}

Bytes inputReport(const BoardInputs& inputs, InputKind kind) {
    Bytes report{};
    report[1] = static_cast<quint8>(kind);
    if (kind == InputKind::Digital) {
        for (size_t bit = 0; bit < 8; ++bit) {
            if (inputs.DInputs[bit])
                report[2] |= static_cast<quint8>(1u << bit);
        }
        for (size_t analog = 3; analog <= 6; ++analog)
            report[analog] = inputs.AInputs[analog];
        report[7] = static_cast<quint8>(inputs.FrequencyCount & 0xFF);
        report[8] = static_cast<quint8>(inputs.FrequencyCount >> 8);
    } else {
        for (size_t analog = 0; analog <= 2; ++analog)
            report[3 + analog] = inputs.AInputs[analog];
        report[6] =
            static_cast<quint8>((inputs.DInputs[8] ? 0x02 : 0) | (inputs.Input10 ? 0x04 : 0));
    }
    return report;
}

Outputs boardOutputs(const Bytes& outputReport) {
    Outputs outputs{};
    for (size_t output = 0; output < BoardOutputs; ++output)
        outputs[output] = (outputReport[2] & OutputMasks[output]) != 0;
    return outputs;
}

} // namespace BoardReport
