// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Windows1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

TEST(Windows1251, EncodesCyrillicOneBytePerLetter) {
    const auto bytes = Windows1251::encode(u"Привет, Ёжик ё");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->toHex(' '), "cf f0 e8 e2 e5 f2 2c 20 a8 e6 e8 ea 20 b8");
}

TEST(Windows1251, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int i = 1; i < 256; ++i)
        all.append(char(i));
    const QString text = Windows1251::decode(all);
    EXPECT_EQ(text.size(), 255);
    EXPECT_EQ(text.at(0xC0 - 1), QChar(0x0410)); // А
    EXPECT_EQ(text.at(0xFF - 1), QChar(0x044F)); // я
    EXPECT_EQ(text.at(0x88 - 1), QChar(0x20AC)); // €
    EXPECT_EQ(Windows1251::encode(text), all);
}

TEST(Windows1251, RefusesCharactersOutsideTheCodePage) {
    EXPECT_FALSE(Windows1251::encode(u"ghost 👻").has_value());
    EXPECT_FALSE(Windows1251::encode(u"ä").has_value());
    EXPECT_EQ(Windows1251::encode(u""), QByteArray());
}

// The program's own table against the system's converter for the same code page.
TEST(Windows1251, AgreesWithTheSystemConverterOnEveryByteAndEveryCharacter) {
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte.append(char(i));
    QStringDecoder decoder("windows-1251");
    ASSERT_TRUE(decoder.isValid());
    EXPECT_EQ(Windows1251::decode(everyByte), decoder.decode(everyByte));

    int representable = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const QChar character(static_cast<char16_t>(code));
        QStringEncoder encoder("windows-1251", QStringConverter::Flag::Stateless);
        const QByteArray expected = encoder.encode(QStringView(&character, 1));
        const std::optional<QByteArray> ours = Windows1251::encode(QStringView(&character, 1));
        if (encoder.hasError()) {
            EXPECT_FALSE(ours.has_value()) << std::hex << code;
            continue;
        }
        ++representable;
        ASSERT_TRUE(ours.has_value()) << std::hex << code;
        EXPECT_EQ(*ours, expected) << std::hex << code;
    }
    EXPECT_EQ(representable, 256);
}

} // namespace
