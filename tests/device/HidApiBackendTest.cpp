// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidApiBackend.h"

#include "device/BoardReport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file the test user may not read or write: the shape of a hidraw node without the udev rule.
class ForbiddenNode {
public:
    ForbiddenNode() {
        QFile file(path());
        file.open(QIODevice::WriteOnly);
        file.close();
        // Root made the folder; another user must be able to reach the file to be refused by it.
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        ::chmod(QFile::encodeName(path()).constData(), 0000);
    }
    QString path() const { return m_dir.filePath(QStringLiteral("hidraw0")); }

private:
    QTemporaryDir m_dir;
};

constexpr uid_t Nobody = 65534;

// hidapi 0.13 frees its handle twice when the node it opened is no hidraw node: these crashed.
TEST(HidApiBackend, GarbagePathsOpenNothingAndSayWhy) {
    QTemporaryDir dir;
    QFile plainFile(dir.filePath("plain"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.write("not a device");
    plainFile.close();
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);

    struct Case {
        QByteArray path;
        // Empty where the reason depends on who runs the test.
        QString reason;
    };
    const QString notAPath = QStringLiteral("is not a device path");
    const QString notHid = QStringLiteral("is not a HID device (hidraw) node");
    const QString unplugged = QStringLiteral("unplugged");
    const Case cases[] = {
        {QByteArray(), notAPath},
        {QByteArray("\0", 1), notAPath},
        // hidapi would take /dev/null, the part before the NUL.
        {QByteArray("/dev/null\0/dev/hidraw0", 22), notAPath},
        // Root may write to it, another user not.
        {"/", {}},
        {"/no/such/dir/hidraw0", unplugged},
        {"/dev/null", notHid},
        {QFile::encodeName(plainFile.fileName()), notHid},
        {fifo, notHid},
        {QByteArray(5000, 'x'), QStringLiteral("File name too long")},
        {QByteArray("\xff\xfe\x01\x80 \n", 6), unplugged},
    };
    HidApiBackend backend;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.left(60).toStdString());
        QString whyNot;
        EXPECT_EQ(backend.open(c.path, &whyNot), nullptr);
        EXPECT_FALSE(whyNot.isEmpty());
        EXPECT_TRUE(whyNot.contains(c.reason)) << whyNot.left(200).toStdString();
        EXPECT_EQ(backend.open(c.path, nullptr), nullptr);
    }
}

TEST(HidApiBackend, AMissingNodeIsReportedAsUnplugged) {
    HidApiBackend backend;
    QString whyNot;
    EXPECT_EQ(backend.open("/dev/hidraw-gloamery-absent", &whyNot), nullptr);
    EXPECT_TRUE(whyNot.contains("/dev/hidraw-gloamery-absent")) << whyNot.toStdString();
    EXPECT_TRUE(whyNot.contains("unplugged")) << whyNot.toStdString();
    EXPECT_FALSE(whyNot.contains("udev rule")) << whyNot.toStdString();
}

TEST(HidApiBackend, AForbiddenNodeAsksForTheUdevRule) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open anything; the unprivileged case below covers it";
    ForbiddenNode node;
    const QByteArray path = QFile::encodeName(node.path());
    if (::access(path.constData(), R_OK | W_OK) == 0)
        GTEST_SKIP() << "this user may open the file despite its mode";
    HidApiBackend backend;
    QString whyNot;
    EXPECT_EQ(backend.open(path, &whyNot), nullptr);
    EXPECT_TRUE(whyNot.contains(node.path())) << whyNot.toStdString();
    EXPECT_TRUE(whyNot.contains("udev rule")) << whyNot.toStdString();
}

TEST(HidApiBackend, AForbiddenNodeAsksForTheUdevRuleWhenRootDropsToAnotherUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to become another user";
    ForbiddenNode node;
    const QByteArray path = QFile::encodeName(node.path());
    // The child starts afresh and gives up root for good; the parent stays root.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                _exit(2);
            HidApiBackend backend;
            QString whyNot;
            const bool opened = backend.open(path, &whyNot) != nullptr;
            fprintf(stderr, "%s\n", qPrintable(whyNot));
            _exit(opened ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "No permission to use the USB board at .*hidraw0.*udev rule");
}

TEST(HidApiBackend, EnumerateListsEachNodeOnceWithBoardSizedReports) {
    HidApiBackend backend;
    const QList<HidDeviceInfo> devices = backend.enumerate();
    const qsizetype nodes =
        QDir("/sys/class/hidraw").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    // hidapi leaves out nodes on buses it does not know, never adds any.
    EXPECT_LE(devices.size(), nodes);
    QSet<QByteArray> paths;
    for (const HidDeviceInfo& device : devices) {
        EXPECT_FALSE(device.path.isEmpty());
        EXPECT_FALSE(paths.contains(device.path)) << device.path.toStdString();
        paths.insert(device.path);
        EXPECT_EQ(device.inputReportLength, BoardReport::Size);
        EXPECT_EQ(device.outputReportLength, BoardReport::Size);
    }
    // Asking again changes nothing while nobody plugs anything.
    EXPECT_EQ(backend.enumerate(), devices);
}

} // namespace
