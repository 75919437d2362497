// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The ghosts' photos as data: addresses, so the page needs nothing from anywhere else. Read from
// the PNG files <folder>/1.png to 8.png that the artwork puts beside the program when the page
// first asks, not at start-up: most evenings no phone asks. A missing or oversized file leaves
// that ghost without a picture.
class GhostPictures {
public:
    static constexpr qint64 MaxFileBytes = 64 * 1024;

    GhostPictures() = default;
    static GhostPictures fromFolder(const QString& folder);

    // Empty for a ghost without a picture.
    QString dataAddress(int ghost) const;
    bool read() const { return m_read; }

private:
    void readFolder() const;

    QString m_folder;
    mutable bool m_read = false;
    mutable QStringList m_addresses;
};
