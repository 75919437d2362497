#pragma once

#include <QString>
#include <QStringList>

// The ghosts' photos as data: addresses, so the page needs nothing from anywhere else. Read once,
// from the PNG files <folder>/1.png to 8.png that the artwork puts beside the program; a missing
// or oversized file leaves that ghost without a picture.
class GhostPictures {
public:
    static constexpr qint64 MaxFileBytes = 64 * 1024;

    GhostPictures() = default;
    static GhostPictures fromFolder(const QString& folder);

    // Empty for a ghost without a picture.
    QString dataAddress(int ghost) const;

private:
    QStringList m_addresses;
};
