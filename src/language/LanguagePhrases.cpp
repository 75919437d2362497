// SPDX-License-Identifier: GPL-3.0-or-later
#include "language/LanguagePhrases.h"

#include <array>

namespace {

struct Wording {
    Phrase phrase;
    const char16_t* english;
    const char16_t* russian;
};

// In the order of Phrase.
constexpr std::array Wordings{
    Wording{Phrase::StartWithDesktop, u"Start with the desktop",
            u"Запускать вместе с рабочим столом"},
    Wording{Phrase::StartAttractionWithProgram, u"Start the attraction when the program starts",
            u"Запускать аттракцион при запуске программы"},
    Wording{Phrase::SettingsHeldWithoutWindow,
            u"Gloamery is already running without a window (%1) and uses these settings. Stop it "
            u"first: systemctl --user stop gloameryd",
            u"Gloamery уже работает без окна (%1) и использует эти настройки. Сначала остановите "
            u"его: systemctl --user stop gloameryd"},
    Wording{Phrase::HomeTitle, u"Home automation", u"Умный дом"},
    Wording{Phrase::MqttBrokerGroup, u" MQTT broker ", u" Сервер MQTT "},
    Wording{Phrase::MqttEnabled, u"Connect to the home's MQTT broker",
            u"Подключаться к серверу MQTT умного дома"},
    Wording{Phrase::MqttHost, u"Host:", u"Сервер:"},
    Wording{Phrase::MqttPort, u"Port:", u"Порт:"},
    Wording{Phrase::MqttUser, u"User:", u"Пользователь:"},
    Wording{Phrase::MqttPassword, u"Password:", u"Пароль:"},
    Wording{Phrase::MqttTls, u"Encrypt the link (TLS)", u"Шифровать связь (TLS)"},
    Wording{Phrase::MqttCaFile, u"CA certificate (empty: the system's):",
            u"Сертификат CA (пусто: системные):"},
    Wording{Phrase::MqttChooseCaFile, u"Choose the CA certificate", u"Выберите сертификат CA"},
    Wording{Phrase::HomeAssistantGroup, u" Home Assistant ", u" Home Assistant "},
    Wording{Phrase::MqttNodeId, u"Node id:", u"Идентификатор узла:"},
    Wording{Phrase::MqttBaseTopic, u"Base topic:", u"Базовый топик:"},
    Wording{Phrase::MqttDiscoveryPrefix, u"Discovery prefix:", u"Префикс обнаружения:"},
    Wording{Phrase::MqttTest, u"Test", u"Проверить"},
    Wording{Phrase::MqttOff, u"Not connected: turned off", u"Не подключено: выключено"},
    Wording{Phrase::MqttConnecting, u"Connecting to %1…", u"Подключение к %1…"},
    Wording{Phrase::MqttConnected, u"Connected to %1", u"Подключено к %1"},
    Wording{Phrase::MqttRetrying, u"No link: %1; next try in %2 s",
            u"Нет связи: %1; новая попытка через %2 с"},
    Wording{Phrase::MqttTesting, u"Testing %1…", u"Проверка %1…"},
    Wording{Phrase::MqttTestPassed, u"Test passed: %1 answers", u"Проверка прошла: %1 отвечает"},
    Wording{Phrase::MqttTestFailed, u"Test failed: %1", u"Проверка не прошла: %1"},
    Wording{Phrase::MqttHostEmpty, u"the broker's host is empty", u"не указан сервер MQTT"},
    Wording{Phrase::MqttPortInvalid, u"'%1' is not a valid port number: use 1 to 65535",
            u"«%1» — не номер порта: допустимо от 1 до 65535"},
    Wording{Phrase::MqttNodeIdInvalid,
            u"the node id '%1' may hold only the letters a to z, digits and '_'",
            u"идентификатор узла «%1» может содержать только латинские строчные буквы, цифры и "
            u"«_»"},
    Wording{Phrase::MqttBaseTopicInvalid,
            u"the base topic '%1' must not hold '+' or '#', nor begin or end with '/'",
            u"базовый топик «%1» не должен содержать «+» и «#», начинаться или кончаться на «/»"},
    Wording{Phrase::MqttBaseTopicReserved,
            u"the base topic '%1' lies in gloamery/all, which every room hears",
            u"базовый топик «%1» лежит в gloamery/all, который слышат все комнаты"},
    Wording{Phrase::MqttPrefixInvalid,
            u"the discovery prefix '%1' must not be empty, hold '+' or '#', nor begin or end "
            u"with '/'",
            u"префикс обнаружения «%1» не должен быть пустым, содержать «+» и «#», начинаться или "
            u"кончаться на «/»"},
    Wording{Phrase::MqttCaFileUnreadable, u"the CA certificate '%1' cannot be read",
            u"не удаётся прочитать сертификат CA «%1»"},
};

constexpr bool inOrder() {
    for (size_t i = 0; i < Wordings.size(); ++i)
        if (static_cast<size_t>(Wordings[i].phrase) != i)
            return false;
    return true;
}
static_assert(inOrder(), "Wordings must list the phrases in the order of Phrase");

} // namespace

QString phrase(Phrase which, Language language) {
    const Wording& wording = Wordings.at(static_cast<size_t>(which));
    return QString::fromUtf16(language == Language::Russian ? wording.russian : wording.english);
}
