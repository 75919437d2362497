// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidrawNode.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace {

// A sysfs character-device list where /dev/null (1:3) belongs to the given class.
class FakeSysfs {
public:
    explicit FakeSysfs(const QString& nullDeviceClass) {
        QDir(m_dir.path()).mkpath("class/" + nullDeviceClass);
        QDir(m_dir.path()).mkpath("dev/char/1:3");
        QFile::link("../../../class/" + nullDeviceClass, m_dir.filePath("dev/char/1:3/subsystem"));
    }
    QString charDevices() const { return m_dir.filePath("dev/char"); }

private:
    QTemporaryDir m_dir;
};

TEST(HidrawNode, OnlyCharacterDevicesOfTheHidrawClassPass) {
    QTemporaryDir dir;
    QFile plainFile(dir.filePath("plain"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const FakeSysfs hidrawNull("hidraw");
    const FakeSysfs memNull("mem");
    const FakeSysfs hidrawPrefixNull("hidraw-like");

    struct Case {
        QByteArray path;
        QString sysfs;
        int error;
    };
    const QString realSysfs = QStringLiteral("/sys/dev/char");
    const Case cases[] = {
        {"/dev/null", hidrawNull.charDevices(), 0},
        {"/dev/null", memNull.charDevices(), ENOTTY},
        {"/dev/null", hidrawPrefixNull.charDevices(), ENOTTY},
        {"/dev/null", realSysfs, ENOTTY},
        // A sysfs without the device's number says nothing: not a hidraw node.
        {"/dev/null", dir.path(), ENOTTY},
        {QFile::encodeName(plainFile.fileName()), hidrawNull.charDevices(), ENOTTY},
        {fifo, hidrawNull.charDevices(), ENOTTY},
        {QFile::encodeName(dir.path()), hidrawNull.charDevices(), ENOTTY},
        {"/no/such/hidraw0", hidrawNull.charDevices(), ENOENT},
        {"/dev/null/hidraw0", hidrawNull.charDevices(), ENOTDIR},
        {QByteArray(5000, 'x'), hidrawNull.charDevices(), ENAMETOOLONG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.left(60).toStdString() + " in " + c.sysfs.toStdString());
        EXPECT_EQ(hidrawNodeError(c.path, c.sysfs), c.error);
    }
}

} // namespace
