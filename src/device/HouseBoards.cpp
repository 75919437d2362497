// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HouseBoards.h"

#include "core/ActTrigger.h"
#include "device/BoardPoller.h"
#include "device/BoardThread.h"
#include "device/TJvHidDeviceController.h"
#include "device/TMyDevice.h"

#include <QPointer>

namespace {

// On the boards' thread: the product ids with a board present, each lent back at once so that
// its poller can take it.
QList<int> DiscoverBoards(TJvHidDeviceController* controller) {
    QList<int> found;
    if (!controller)
        return found;
    for (int productId = HouseBoards::FirstProductId; productId <= HouseBoards::LastProductId;
         ++productId) {
        TJvHidDevice* board = controller->CheckOutByID(TMyDevice::BoardVendorID, productId);
        if (!board)
            continue;
        found.append(productId);
        controller->CheckIn(board);
    }
    return found;
}

// Bit k set when digital input k (0..8) is on.
quint16 digitalInputs(const BoardReport::Inputs& inputs) {
    quint16 bits = 0;
    for (int input = 0; input < BoardReport::DigitalInputs; ++input) {
        if (inputs.DInputs[static_cast<size_t>(input)])
            bits |= static_cast<quint16>(1U << input);
    }
    return bits;
}

} // namespace

HouseBoards::HouseBoards(HidBackendFactory* boards, QObject* parent)
    : QObject(parent)
    , m_door(DoorOpenMs, [this](bool on) { switchDoor(on); }) {
    // The home automation starts with every input off, so its first ON is a press; a board's
    // first report only tells where its switches stand.
    m_edges.report(ActTrigger::HomeAutomationBoard, 0);
    if (!boards) {
        m_searchDone = true;
        return;
    }
    m_thread = std::make_unique<BoardThread>(boards);
    m_thread->post([thread = m_thread.get(),
                    self = QPointer<HouseBoards>(this)](TJvHidDeviceController* controller) {
        thread->reply(self, [found = DiscoverBoards(controller), controller](HouseBoards& house) {
            house.addBoards(found, controller);
        });
    });
}

HouseBoards::~HouseBoards() {
    m_pollers.clear();
    m_thread.reset();
}

void HouseBoards::addBoards(const QList<int>& productIds, TJvHidDeviceController* controller) {
    for (const int board : productIds) {
        auto poller = std::make_unique<BoardPoller>(*m_thread, controller, board);
        connect(poller.get(), &BoardPoller::readingArrived, this,
                [this, board](const BoardReport::Inputs& inputs) {
                    takeReport(board, digitalInputs(inputs));
                });
        m_pollers.push_back(std::move(poller));
    }
    m_searchDone = true;
    emit boardsFound();
}

bool HouseBoards::openDoor() {
    if (m_pollers.empty())
        return false;
    m_door.start();
    return true;
}

void HouseBoards::switchDoor(bool on) {
    for (const auto& poller : m_pollers)
        poller->setOutput(DoorOutput, on);
    emit doorChanged(on);
}

void HouseBoards::setHomeInput(int input, bool on) {
    if (input < 0 || input >= SensorEdges::Inputs)
        return;
    const quint16 bit = quint16(1U << input);
    m_homeInputs = on ? quint16(m_homeInputs | bit) : quint16(m_homeInputs & ~bit);
    takeReport(ActTrigger::HomeAutomationBoard, m_homeInputs);
}

void HouseBoards::pressHomeInput(int input) {
    setHomeInput(input, true);
    setHomeInput(input, false);
}

void HouseBoards::takeReport(int board, quint16 inputs) {
    const quint16 before = m_edges.combined();
    for (const int input : m_edges.report(board, inputs))
        emit sensorTurnedOn(input, board);
    const quint16 changed = before ^ m_edges.combined();
    for (int input = 0; input < SensorEdges::Inputs; ++input)
        if ((changed >> input) & 1U)
            emit inputChanged(input, m_edges.isOn(input));
}
