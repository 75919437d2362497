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
    Wording{Phrase::SoundsTitle, u"Sounds", u"Звуки"},
    Wording{Phrase::SpecialtyAny, u"Not selected", u"Не выбрано"},
    Wording{Phrase::SpecialtyDoorman, u"Doorman", u"Швейцар"},
    Wording{Phrase::SpecialtyElectrician, u"Electrician", u"Электрик"},
    Wording{Phrase::SpecialtyPlumber, u"Plumber", u"Водопроводчик"},
    Wording{Phrase::SpecialtyPostman, u"Postman", u"Почтальон"},
    Wording{Phrase::SpecialtyPedestrian, u"Pedestrian", u"Пешеход"},
    Wording{Phrase::SoundsLong, u"long sounds", u"длинные"},
    Wording{Phrase::SoundsShort, u"short sounds", u"короткие"},
    Wording{Phrase::SoundsShipped, u"shipped", u"поставляемые"},
    Wording{Phrase::SoundsOwn, u"own", u"свои"},
    Wording{Phrase::SoundsReading, u"Reading the sounds…", u"Чтение звуков…"},
    Wording{Phrase::SoundsNumber, u"No.", u"№"},
    Wording{Phrase::SoundsDescription, u"Description", u"Описание"},
    Wording{Phrase::SoundsLength, u"Length", u"Длительность"},
    Wording{Phrase::SoundsLoudness, u"Loudness", u"Громкость"},
    Wording{Phrase::SoundsSeconds, u"%1 s", u"%1 с"},
    Wording{Phrase::SoundsLufs, u"%1 LUFS", u"%1 LUFS"},
    Wording{Phrase::SoundsPlay, u"Play", u"Прослушать"},
    Wording{Phrase::SoundsAdd, u"Add…", u"Добавить…"},
    Wording{Phrase::SoundsRemove, u"Remove", u"Удалить"},
    Wording{Phrase::SoundsApply, u"Apply", u"Применить"},
    Wording{Phrase::SoundsBackToShipped, u"Back to shipped sounds", u"Вернуть поставляемые"},
    Wording{Phrase::SoundsConfirmBack,
            u"Delete your own sounds of %1 and play the shipped ones again?",
            u"Удалить свои звуки библиотеки «%1» и снова играть поставляемые?"},
    Wording{Phrase::SoundsTrimSilence, u"Trim silence", u"Обрезать тишину"},
    Wording{Phrase::SoundsCancel, u"Cancel", u"Отмена"},
    Wording{Phrase::SoundsEffectMiddle, u"In the middle", u"Посередине"},
    Wording{Phrase::SoundsEffectLeft, u"On the left", u"Слева"},
    Wording{Phrase::SoundsEffectRight, u"On the right", u"Справа"},
    Wording{Phrase::SoundsEffectRightToLeft, u"From right to left", u"Справа налево"},
    Wording{Phrase::SoundsEffectLeftToRight, u"From left to right", u"Слева направо"},
    Wording{Phrase::SoundsChooseFiles, u"Choose sounds to add", u"Выберите звуки для добавления"},
    Wording{Phrase::SoundsAudioFiles, u"Audio files", u"Звуковые файлы"},
    Wording{Phrase::SoundsImporting, u"Importing file %1 of %2: %3", u"Импорт файла %1 из %2: %3"},
    Wording{Phrase::SoundsImportBusy, u"An import is already under way: wait for it or cancel it",
            u"Импорт уже идёт: дождитесь его или отмените"},
    Wording{Phrase::SoundsWorkBusy, u"The sounds are being written: try again in a moment",
            u"Звуки записываются: повторите через мгновение"},
    Wording{Phrase::SoundsTooMany,
            u"%1 holds %2 sounds and has room for %3 more; a library holds at most %4",
            u"В библиотеке «%1» %2 звуков, места ещё для %3; в библиотеке не больше %4"},
    Wording{Phrase::SoundsImportCancelled, u"Import cancelled: nothing was added",
            u"Импорт отменён: ничего не добавлено"},
    Wording{Phrase::SoundsImported, u"Sounds added to %2: %1", u"Добавлено звуков в «%2»: %1"},
    Wording{Phrase::SoundsFileFailed, u"%1: %2", u"%1: %2"},
    Wording{Phrase::SoundsFileUnreadable, u"not a sound file that can be read",
            u"это не звуковой файл, который можно прочитать"},
    Wording{Phrase::SoundsFileTruncated, u"the file ends before its sound does",
            u"файл обрывается раньше звука"},
    Wording{Phrase::SoundsFileNoAudio, u"the file holds no sound", u"в файле нет звука"},
    Wording{Phrase::SoundsFileTooLong, u"the sound is longer than %1 s", u"звук длиннее %1 с"},
    Wording{Phrase::SoundsFileSilent, u"the sound is silent", u"звук беззвучен"},
    Wording{Phrase::SoundsLibraryFull, u"the library already holds %1 sounds",
            u"в библиотеке уже %1 звуков"},
    Wording{Phrase::SoundsLastSound,
            u"A library keeps one sound at least: go back to the shipped sounds instead",
            u"В библиотеке остаётся хотя бы один звук: лучше верните поставляемые"},
    Wording{Phrase::SoundsNoSuchSound, u"There is no sound %1", u"Нет звука %1"},
    Wording{Phrase::SoundsDescriptionNot1251,
            u"The description holds a character the library cannot store: use Latin or Cyrillic "
            u"letters, digits and common signs",
            u"В описании есть знак, который библиотека не может хранить: используйте латинские или "
            u"русские буквы, цифры и обычные знаки"},
    Wording{Phrase::SoundsDescriptionLong, u"The description is longer than the library's %1 bytes",
            u"Описание длиннее %1 байт, которые хранит библиотека"},
    Wording{Phrase::SoundsReadFailed, u"The library cannot be read: %1",
            u"Не удаётся прочитать библиотеку: %1"},
    Wording{Phrase::SoundsWriteFailed, u"The library cannot be written, it stays as it was: %1",
            u"Не удаётся записать библиотеку, она осталась прежней: %1"},
    Wording{Phrase::SoundsDeleteFailed, u"%1 cannot be deleted: %2", u"Не удаётся удалить %1: %2"},
    Wording{Phrase::SoundsRemoved, u"Sound %1 removed", u"Звук %1 удалён"},
    Wording{Phrase::SoundsDescribed, u"The description of sound %1 changed",
            u"Описание звука %1 изменено"},
    Wording{Phrase::SoundsBackDone, u"%1 plays the shipped sounds again",
            u"«%1» снова играет поставляемые звуки"},
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
