// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <utility>

// One sound: a complete RIFF WAVE file image, kept exactly as stored so the player can take it
// as it is. An empty image means an empty sound.
class TLMDWave {
public:
    bool isEmpty() const { return m_image.isEmpty(); }
    const QByteArray& image() const { return m_image; }
    const char* data() const { return m_image.constData(); }
    qsizetype size() const { return m_image.size(); }

    void setImage(QByteArray image) { m_image = std::move(image); }
    void clear() { m_image.clear(); }

private:
    QByteArray m_image;
};
