// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What made a ghost act, carried to the act so its log line can say why a sound played.
struct ActTrigger {
    enum class Source {
        Scheduler,      // the attraction's wait ran out
        Sensor,         // a board input turned on
        NetworkCommand, // a network client's command 3
        SoundWindow,    // the sound diagnostics window's act button
        HomeAutomation, // a message from the home's MQTT broker
    };
    // The board of a sensor input that came from the home automation rather than a USB board.
    static constexpr int HomeAutomationBoard = 0;

    Source source = Source::Scheduler;
    int input = 0; // a sensor's board input, 0..8
    int board = 0; // a sensor's board, by product id, or HomeAutomationBoard

    static constexpr ActTrigger sensor(int input, int board) {
        return {Source::Sensor, input, board};
    }
};
