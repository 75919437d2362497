// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TMyDevice.h"

#include "device/DeviceError.h"
#include "device/TJvHidDeviceController.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

void checkIndex(int index, int count, const char* field) {
    if (index < 0 || index >= count) {
        throw DeviceRangeError(QStringLiteral("TMyDevice: index of %1 out of bouds - %2")
                                   .arg(QLatin1String(field))
                                   .arg(index));
    }
}

// Returns the device to the controller however the exchange ends.
class CheckedOutDevice {
public:
    CheckedOutDevice(TJvHidDeviceController& controller, TJvHidDevice* device)
        : m_controller(controller)
        , m_device(device) {}
    ~CheckedOutDevice() { m_controller.CheckIn(m_device); }
    CheckedOutDevice(const CheckedOutDevice&) = delete;
    CheckedOutDevice& operator=(const CheckedOutDevice&) = delete;

    TJvHidDevice* operator->() const { return m_device; }

private:
    TJvHidDeviceController& m_controller;
    TJvHidDevice* m_device;
};

} // namespace

TMyDevice::TMyDevice(TJvHidDeviceController* controller)
    : m_controller(controller) {}

quint8 TMyDevice::AInputs(int index) const {
    checkIndex(index, BoardReport::AnalogInputs, "AInputs");
    return m_inputs.AInputs[static_cast<size_t>(index)];
}

bool TMyDevice::DInputs(int index) const {
    checkIndex(index, BoardReport::DigitalInputs, "DInputs");
    return m_inputs.DInputs[static_cast<size_t>(index)];
}

void TMyDevice::SetDOutputs(int index, quint8 value) {
    checkIndex(index, BoardReport::RequestCount, "FDOutputs");
    FDOutputs[static_cast<size_t>(index)] = value;
}

quint8 TMyDevice::DOutputs(int index) const {
    checkIndex(index, BoardReport::RequestCount, "FDOutputs");
    return FDOutputs[static_cast<size_t>(index)];
}

void TMyDevice::Exchange() {
    m_fault.clear();
    if (!m_controller)
        return;
    TJvHidDevice* const device = m_controller->CheckOutByID(VendorID, ProductID);
    if (!device) {
        m_fault = QStringLiteral("not connected");
        return;
    }
    const CheckedOutDevice board(*m_controller, device);

    std::array<quint8, BufferSize> buffer{};
    const BoardReport::Bytes output = BoardReport::outputReport(FDOutputs);
    std::copy(output.begin(), output.end(), buffer.begin());
    int count = 0;
    // A lost write is not examined further: the read below still goes ahead.
    if (!board->WriteFile(buffer.data(), BoardReport::Size, count) && !board->HasOpenFile()) {
        m_fault = board->OpenError();
        return;
    }

    buffer.fill(0);
    const int toRead = std::clamp(board->InputReportByteLength(), BoardReport::Size, BufferSize);
    if (!board->ReadFile(buffer.data(), toRead, count, ReadLimitMs))
        return;
    BoardReport::Bytes input{};
    std::copy_n(buffer.begin(), BoardReport::Size, input.begin());
    BoardReport::applyInputReport(input, m_inputs);
}
