// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/PageTexts.h"

namespace {

PageTexts english() {
    PageTexts t;
    t.htmlLanguage = QStringLiteral("en");
    t.signedInAs = QStringLiteral("Signed in as %1");
    t.attraction = QStringLiteral("Attraction");
    t.running = QStringLiteral("Running");
    t.stopped = QStringLiteral("Stopped");
    t.timeLeft = QStringLiteral("%1 left");
    t.noTimeLimit = QStringLiteral("no time limit");
    t.planUntil = QStringLiteral("plan until %1");
    t.nextPlan = QStringLiteral("next plan: %1");
    t.quietUntil = QStringLiteral("quiet until %1");
    t.start = QStringLiteral("Start");
    t.stop = QStringLiteral("Stop");
    t.ghosts = QStringLiteral("Ghosts");
    t.on = QStringLiteral("On");
    t.off = QStringLiteral("Off");
    t.switchGhostOn = QStringLiteral("Switch ghost %1 on");
    t.switchGhostOff = QStringLiteral("Switch ghost %1 off");
    t.notYours = QStringLiteral("not yours to switch");
    t.dialogOpen = QStringLiteral("A settings window is open on the computer: nothing can be "
                                  "switched until it is closed.");
    t.refused = QStringLiteral("Not done: a settings window is open on the computer. Close it "
                               "and try again.");
    t.loginNeeded = QStringLiteral("Please sign in with the login and password of the web "
                                   "access window.");
    t.forbidden = QStringLiteral("Not allowed. Nothing was changed.");
    t.tooManyTries = QStringLiteral("Too many failed sign-ins. Try again in %1 s.");
    t.badRequest = QStringLiteral("The request could not be understood. Nothing was changed.");
    t.tooLarge = QStringLiteral("The request is too large. Nothing was changed.");
    t.notWorking = QStringLiteral("Not working:");
    t.boardFault = QStringLiteral("Board %1: %2");
    t.soundFault = QStringLiteral("Sound: %1");
    t.netServerFault = QStringLiteral("Network server: %1");
    t.homeFault = QStringLiteral("Home automation: %1");
    return t;
}

PageTexts russian() {
    PageTexts t;
    t.htmlLanguage = QStringLiteral("ru");
    t.signedInAs = QStringLiteral("Вы вошли как %1");
    t.attraction = QStringLiteral("Аттракцион");
    t.running = QStringLiteral("Идёт");
    t.stopped = QStringLiteral("Остановлен");
    t.timeLeft = QStringLiteral("осталось %1");
    t.noTimeLimit = QStringLiteral("без ограничения времени");
    t.planUntil = QStringLiteral("по плану до %1");
    t.nextPlan = QStringLiteral("следующий план: %1");
    t.quietUntil = QStringLiteral("тишина до %1");
    t.start = QStringLiteral("Старт");
    t.stop = QStringLiteral("Стоп");
    t.ghosts = QStringLiteral("Призраки");
    t.on = QStringLiteral("Вкл.");
    t.off = QStringLiteral("Выкл.");
    t.switchGhostOn = QStringLiteral("Включить призрака %1");
    t.switchGhostOff = QStringLiteral("Выключить призрака %1");
    t.notYours = QStringLiteral("переключать нельзя");
    t.dialogOpen = QStringLiteral("На компьютере открыто окно настроек: пока оно открыто, "
                                  "ничего переключить нельзя.");
    t.refused = QStringLiteral("Не выполнено: на компьютере открыто окно настроек. Закройте "
                               "его и попробуйте снова.");
    t.loginNeeded = QStringLiteral("Войдите с логином и паролем из окна Веб доступа.");
    t.forbidden = QStringLiteral("Нельзя. Ничего не изменено.");
    t.tooManyTries = QStringLiteral("Слишком много неудачных попыток входа. Попробуйте снова "
                                    "через %1 с.");
    t.badRequest = QStringLiteral("Запрос не понят. Ничего не изменено.");
    t.tooLarge = QStringLiteral("Запрос слишком велик. Ничего не изменено.");
    t.notWorking = QStringLiteral("Не работает:");
    t.boardFault = QStringLiteral("Плата %1: %2");
    t.soundFault = QStringLiteral("Звук: %1");
    t.netServerFault = QStringLiteral("Сетевой сервер: %1");
    t.homeFault = QStringLiteral("Умный дом: %1");
    return t;
}

} // namespace

const PageTexts& PageTexts::of(Language language) {
    static const PageTexts texts[] = {english(), russian()};
    return texts[language == Language::Russian ? 1 : 0];
}
