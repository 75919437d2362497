// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Every way a sound library load can fail. The kind lets callers (the tool, the tests) tell the
// failures apart; the message is meant for a person.
class SoundLibraryError : public std::runtime_error {
public:
    enum class Kind {
        FileOpen,     // the file layer could not open the file
        Signature,    // not a sound library; the list keeps its sounds
        ReadPastEnd,  // the file ends inside a field
        BadData,      // a field holds a value the format does not allow
        CheckingWave, // a wave image ends before its header could be checked
        TooLarge,     // a sound, or all sounds together, would pass the reader's size limits
    };

    SoundLibraryError(Kind kind, const std::string& message)
        : std::runtime_error(message)
        , m_kind(kind) {}

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
