// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HidrawOpenAdvice.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(HidrawOpenAdvice, NamesTheNodeAndWhatToDo) {
    struct Case {
        int nodeError;
        QString libraryError;
        QStringList mustSay;
        QStringList mustNotSay;
    };
    const QString udevRule = QStringLiteral("udev rule");
    const QString unplugged = QStringLiteral("unplugged");
    const Case cases[] = {
        // Only a permission problem is cured by the udev rule.
        {EACCES, "Failed to open: Permission denied", {udevRule, "USB boards"}, {unplugged}},
        {EPERM, "", {udevRule, "plug the board in again"}, {unplugged}},
        {ENOENT, "Failed to open: No such file", {unplugged}, {udevRule}},
        {ENODEV, "", {unplugged}, {udevRule}},
        {ENXIO, "", {unplugged}, {udevRule}},
        {ENOTTY, "", {"not a HID device"}, {udevRule, unplugged}},
        // The node looked usable: hidapi's reason is the only one there is.
        {0, "not a HIDRAW device?", {"not a HIDRAW device?"}, {udevRule, unplugged}},
        {0, "", {"could not be opened as a HID device"}, {udevRule, unplugged}},
        {EIO, "hidapi text", {"Input/output error"}, {udevRule, unplugged, "hidapi text"}},
    };
    const QByteArray path = "/dev/hidraw7";
    for (const Case& c : cases) {
        const QString advice = hidrawOpenAdvice(path, c.nodeError, c.libraryError);
        SCOPED_TRACE(advice.toStdString());
        EXPECT_TRUE(advice.contains(QLatin1String("/dev/hidraw7")));
        for (const QString& words : c.mustSay)
            EXPECT_TRUE(advice.contains(words)) << "missing: " << words.toStdString();
        for (const QString& words : c.mustNotSay)
            EXPECT_FALSE(advice.contains(words)) << "should not say: " << words.toStdString();
    }
}

} // namespace
