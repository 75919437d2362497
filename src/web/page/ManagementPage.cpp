// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/ManagementPage.h"

#include "core/LogCategories.h"
#include "web/page/BasicCredentials.h"
#include "web/page/FormFields.h"
#include "web/page/PageHtml.h"
#include "web/page/PageTexts.h"

namespace {

const QString AdminRole = QStringLiteral("admin");
const QString UserRole = QStringLiteral("user");

bool isMethod(const QByteArray& method, const char* name) {
    return method.compare(name, Qt::CaseInsensitive) == 0;
}

// What a form asks for: one ghost switched on or off, or the attraction started or stopped.
struct Action {
    bool attraction = false;
    int ghost = 0; // when not the attraction; may lie outside 1..8
    bool on = false;
};

// Empty when the form asks for nothing we know, or for two things at once.
std::optional<Action> actionOf(const FormFields& form) {
    const std::optional<QString> ghost = form.value(QStringLiteral("ghost"));
    const std::optional<QString> on = form.value(QStringLiteral("on"));
    const std::optional<QString> attraction = form.value(QStringLiteral("attraction"));
    if (attraction && !ghost && !on) {
        if (*attraction == QLatin1String("start"))
            return Action{true, 0, true};
        if (*attraction == QLatin1String("stop"))
            return Action{true, 0, false};
        return std::nullopt;
    }
    if (!ghost || !on || attraction || ghost->isEmpty() || ghost->size() > 2)
        return std::nullopt;
    for (const QChar c : *ghost)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    if (*on != QLatin1String("0") && *on != QLatin1String("1"))
        return std::nullopt;
    return Action{false, ghost->toInt(), *on == QLatin1String("1")};
}

bool permits(const WebAccessSettings::Permissions& permissions, const Action& action) {
    if (action.attraction)
        return permissions.attraction;
    return action.ghost >= 1 && action.ghost <= WebAccessSettings::GhostCount &&
           permissions.ghost[size_t(action.ghost - 1)];
}

} // namespace

ManagementPage::ManagementPage(SettingsSource settings, ProgramControl& control,
                               GhostPictures pictures, Now now, PageToken token)
    : m_settings(std::move(settings))
    , m_control(control)
    , m_pictures(std::move(pictures))
    , m_now(std::move(now))
    , m_token(std::move(token)) {}

QString ManagementPage::pageName() const {
    return m_settings().Page;
}

QByteArray ManagementPage::pagePath(const WebAccessSettings& settings) const {
    return "/" + settings.Page.toUtf8().toPercentEncoding();
}

QByteArray ManagementPage::answer(const PageRequest& request) {
    const PageTexts& texts = PageTexts::of(m_control.language());
    const LoginBackOff::Time now = m_now();
    const bool withBody = !isMethod(request.method, "HEAD");
    if (const int wait = m_backOff.secondsToWait(request.peerAddress, now); wait > 0)
        return message(429, texts.tooManyTries.arg(wait),
                       {{"Retry-After", QByteArray::number(wait)}}, withBody);

    const WebAccessSettings settings = m_settings();
    const std::optional<Account> account = signIn(request.authorization, settings);
    if (!account) {
        // A browser's first request carries no credentials: that is no failed attempt.
        if (!request.authorization.isEmpty())
            m_backOff.recordFailure(request.peerAddress, now);
        return message(401, texts.loginNeeded,
                       {{"WWW-Authenticate", R"(Basic realm="Gloamery", charset="UTF-8")"}},
                       withBody);
    }
    m_backOff.recordSuccess(request.peerAddress);
    if (isMethod(request.method, "POST"))
        return act(request, *account, settings);
    return showPage(*account, settings, withBody);
}

std::optional<ManagementPage::Account>
ManagementPage::signIn(const QByteArray& authorization, const WebAccessSettings& settings) const {
    const std::optional<BasicCredentials> credentials = BasicCredentials::parse(authorization);
    if (!credentials)
        return std::nullopt;
    // Both accounts may be given the same login and password; the one who knows them knows
    // the administrator's, so that account answers first.
    const Account candidates[] = {
        {AdminRole, settings.Admin_Login, settings.Web_Admin},
        {UserRole, settings.User_Login, settings.Web_User},
    };
    const bool enabled[] = {settings.Admin_OK, settings.User_OK};
    const QString passwords[] = {settings.Admin_Pass, settings.User_Pass};
    for (int i = 0; i < 2; ++i)
        if (enabled[i] && WebAccessSettings::maySignInToPage(passwords[i]) &&
            credentials->login == candidates[i].login && credentials->password == passwords[i])
            return candidates[i];
    return std::nullopt;
}

QByteArray ManagementPage::act(const PageRequest& request, const Account& account,
                               const WebAccessSettings& settings) {
    const PageTexts& texts = PageTexts::of(m_control.language());
    if (request.bodyCut)
        return message(413, texts.tooLarge);
    const std::optional<FormFields> form = FormFields::parse(request.body);
    const std::optional<QString> token = form ? form->value(QStringLiteral("token")) : std::nullopt;
    if (!token || !m_token.matches(account.role, account.login, *token))
        return message(403, texts.forbidden);
    const std::optional<Action> action = actionOf(*form);
    if (!action)
        return message(400, texts.badRequest);
    if (!permits(account.permissions, *action))
        return message(403, texts.forbidden);

    const ProgramControl::Outcome outcome =
        action->attraction ? (action->on ? m_control.startAttraction() : m_control.stopAttraction())
                           : m_control.switchGhost(action->ghost, action->on);
    qCDebug(lcWeb) << account.role << (action->attraction ? "attraction" : "ghost") << action->ghost
                   << "on" << action->on << "outcome" << int(outcome);
    if (outcome == ProgramControl::Outcome::DialogOpen)
        m_notices.insert(account.role, texts.refused);
    else
        m_notices.remove(account.role);
    // The page again, fetched anew, so that a reload does not repeat the action.
    return message(303, {}, {{"Location", pagePath(settings)}});
}

QByteArray ManagementPage::showPage(const Account& account, const WebAccessSettings& settings,
                                    bool withBody) {
    PageHtml::View view;
    view.login = account.login;
    view.formAction = QString::fromLatin1(pagePath(settings));
    view.token = m_token.forLogin(account.role, account.login);
    const ProgramControl::AttractionView attraction = m_control.attraction();
    view.attractionRunning = attraction.running;
    view.secondsLeft = attraction.secondsLeft;
    view.planEnds = attraction.planEnds;
    view.nextPlanStart = attraction.nextPlanStart;
    view.quietUntil = attraction.quietUntil;
    view.maySwitchAttraction = account.permissions.attraction;
    view.dialogOpen = m_control.dialogOpen();
    view.faults = m_control.faults();
    if (withBody)
        view.notice = m_notices.take(account.role);
    for (int number = 1; number <= WebAccessSettings::GhostCount; ++number) {
        const ProgramControl::GhostView ghost = m_control.ghost(number);
        view.ghosts.push_back({number, ghost.name, ghost.on,
                               account.permissions.ghost[size_t(number - 1)],
                               m_pictures.dataAddress(number)});
    }
    const PageTexts& texts = PageTexts::of(m_control.language());
    return PageReply::make(200, PageHtml::style(), PageHtml::page(view, texts), {}, withBody);
}

QByteArray ManagementPage::message(int status, const QString& text, const PageReply::Headers& extra,
                                   bool withBody) const {
    const PageTexts& texts = PageTexts::of(m_control.language());
    return PageReply::make(
        status, PageHtml::style(),
        PageHtml::messagePage(
            text.isEmpty() ? QString::fromLatin1(PageReply::reasonPhrase(status)) : text, texts),
        extra, withBody);
}
