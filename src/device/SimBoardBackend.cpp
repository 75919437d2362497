// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SimBoardBackend.h"

#include "core/LogCategories.h"
#include "device/BoardReport.h"
#include "device/SimBoardConnection.h"
#include "device/SimBoardWire.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>

#include <algorithm>
#include <sys/stat.h>
#include <tuple>
#include <vector>

SimBoardBackend::SimBoardBackend(const QString& directory, QObject* parent)
    : HidBackend(parent)
    , m_directory(QDir(directory).absolutePath()) {
    if (!QDir().mkpath(m_directory))
        qCWarning(lcDevice) << "cannot make the simulated boards' folder" << m_directory;
    m_watcher = new QFileSystemWatcher(this);
    if (!m_watcher->addPath(m_directory))
        qCWarning(lcDevice) << "cannot watch" << m_directory << "; boards plugged later go unseen";
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &SimBoardBackend::directoryChanged);
    m_lastSeen = enumerate();
}

SimBoardBackend::~SimBoardBackend() = default;

QList<HidDeviceInfo> SimBoardBackend::enumerate() {
    struct Found {
        SimBoardWire::SocketName name;
        HidDeviceInfo info;
    };
    std::vector<Found> found;
    const QStringList files =
        QDir(m_directory).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& file : files) {
        const std::optional<SimBoardWire::SocketName> name =
            SimBoardWire::parseSocketFileName(file);
        if (!name)
            continue;
        const QByteArray path = QFile::encodeName(m_directory + QLatin1Char('/') + file);
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISSOCK(status.st_mode))
            continue;
        HidDeviceInfo info;
        info.path = path;
        info.vendorId = name->vendorId;
        info.productId = name->productId;
        info.inputReportLength = BoardReport::Size;
        info.outputReportLength = BoardReport::Size;
        found.push_back({*name, info});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.name.vendorId, a.name.productId, a.name.slot) <
               std::tie(b.name.vendorId, b.name.productId, b.name.slot);
    });
    QList<HidDeviceInfo> devices;
    for (const Found& board : found)
        devices.append(board.info);
    return devices;
}

std::unique_ptr<HidConnection> SimBoardBackend::open(const QByteArray& path, QString* whyNot) {
    return SimBoardConnection::connectTo(path, whyNot);
}

void SimBoardBackend::directoryChanged() {
    QList<HidDeviceInfo> now = enumerate();
    if (now == m_lastSeen)
        return;
    m_lastSeen = std::move(now);
    emit devicesChanged();
}
