// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/PageHtml.h"

#include "web/page/PageTexts.h"

#include <QLocale>

#include <algorithm>

namespace PageHtml {

namespace {

// Thumb-sized controls (at least 48 px), nothing wider than the screen, long names wrapped.
const QString Style = QStringLiteral(
    "*{box-sizing:border-box}"
    "html{-webkit-text-size-adjust:100%}"
    "body{margin:0;font:18px/1.4 system-ui,sans-serif;background:#1d3b66;color:#f2f6fb}"
    "main{max-width:36rem;margin:0 auto;padding:12px}"
    "h1{font-size:1.5rem;margin:4px 0}"
    "h2{font-size:1.1rem;margin:0 0 8px;color:#d9d900}"
    ".who{margin:0 0 12px;color:#c8e1bb;overflow-wrap:anywhere}"
    "section{background:#366ab3;border-radius:12px;padding:12px;margin:0 0 12px}"
    ".row,.ghost{display:flex;align-items:center;gap:12px}"
    ".state{flex:1;margin:0;min-width:0}"
    "ul{list-style:none;margin:0;padding:0}"
    ".ghost{padding:8px 0;border-top:1px solid #5a86c5}"
    ".ghost:first-child{border-top:0}"
    ".ghost img,.nopic{width:56px;height:56px;border-radius:8px;flex:none;background:#125ba1}"
    ".name{flex:1;min-width:0;overflow-wrap:anywhere}"
    ".number{font-weight:bold;color:#d9d900;margin-right:6px}"
    "form{margin:0;flex:none}"
    "button,.fixed{min-width:88px;min-height:48px;padding:0 12px;border-radius:24px;"
    "font:inherit;font-weight:bold;border:2px solid #d7edff}"
    "button{cursor:pointer}"
    ".on{background:#2e9d4f;color:#fff}"
    ".off{background:#12355f;color:#d7edff}"
    ".fixed{display:inline-flex;flex-direction:column;align-items:center;justify-content:center;"
    "flex:none;opacity:.75;border-style:dashed}"
    ".fixed small{font-size:.6rem;font-weight:normal}"
    ".notice{background:#fbad2e;color:#1d1d1d;border-radius:12px;padding:12px;margin:0 0 12px}"
    ".faults{background:#7d1f1f}"
    ".faults li{padding:4px 0;overflow-wrap:anywhere}");

QString attribute(const QString& text) {
    return escaped(text);
}

QString hiddenFields(const View& view) {
    return QStringLiteral("<form method=\"post\" action=\"%1\">"
                          "<input type=\"hidden\" name=\"token\" value=\"%2\">")
        .arg(attribute(view.formAction), attribute(view.token));
}

// "plan until 22:00", or "next plan: Fri 18:40", and "quiet until 19:00".
QString planLine(const View& view, const PageTexts& texts) {
    const QLocale locale(texts.htmlLanguage);
    QStringList parts;
    if (view.planEnds.isValid())
        parts.append(texts.planUntil.arg(view.planEnds.toString(QStringLiteral("HH:mm"))));
    else if (view.nextPlanStart.isValid())
        parts.append(
            texts.nextPlan.arg(locale.toString(view.nextPlanStart, QStringLiteral("ddd HH:mm"))));
    if (view.quietUntil.isValid())
        parts.append(texts.quietUntil.arg(view.quietUntil.toString(QStringLiteral("HH:mm"))));
    return parts.join(QStringLiteral(" · "));
}

QString attractionSection(const View& view, const PageTexts& texts) {
    QString state = view.attractionRunning ? texts.running : texts.stopped;
    if (view.attractionRunning)
        state += QStringLiteral(" · ") + (view.secondsLeft < 0
                                              ? texts.noTimeLimit
                                              : texts.timeLeft.arg(clock(view.secondsLeft)));
    if (const QString plan = planLine(view, texts); !plan.isEmpty())
        state += QStringLiteral(" · ") + plan;
    QString html = QStringLiteral("<section id=\"attraction\"><h2>%1</h2><div class=\"row\">"
                                  "<p class=\"state\" id=\"attraction-state\">%2</p>")
                       .arg(escaped(texts.attraction), escaped(state));
    if (view.maySwitchAttraction) {
        const bool running = view.attractionRunning;
        html += hiddenFields(view) +
                QStringLiteral("<button name=\"attraction\" value=\"%1\" class=\"%2\" "
                               "id=\"attraction-switch\">%3</button></form>")
                    .arg(running ? QStringLiteral("stop") : QStringLiteral("start"),
                         running ? QStringLiteral("on") : QStringLiteral("off"),
                         escaped(running ? texts.stop : texts.start));
    }
    return html + QStringLiteral("</div></section>");
}

QString ghostItem(const Ghost& ghost, const View& view, const PageTexts& texts) {
    const QString onOff = ghost.on ? QStringLiteral("on") : QStringLiteral("off");
    QString html = QStringLiteral("<li class=\"ghost\" id=\"ghost-%1\">").arg(ghost.number);
    html += ghost.picture.isEmpty()
                ? QStringLiteral("<span class=\"nopic\"></span>")
                : QStringLiteral("<img src=\"%1\" alt=\"\" width=\"56\" height=\"56\">")
                      .arg(attribute(ghost.picture));
    html += QStringLiteral("<span class=\"name\"><span class=\"number\">%1</span>%2</span>")
                .arg(ghost.number)
                .arg(escaped(ghost.name));
    const QString state = escaped(ghost.on ? texts.on : texts.off);
    if (ghost.maySwitch) {
        const QString label =
            (ghost.on ? texts.switchGhostOff : texts.switchGhostOn).arg(ghost.number);
        html += hiddenFields(view) +
                QStringLiteral("<input type=\"hidden\" name=\"ghost\" value=\"%1\">"
                               "<button name=\"on\" value=\"%2\" class=\"%3\" role=\"switch\" "
                               "aria-checked=\"%4\" aria-label=\"%5\">%6</button></form>")
                    .arg(QString::number(ghost.number),
                         ghost.on ? QStringLiteral("0") : QStringLiteral("1"), onOff,
                         ghost.on ? QStringLiteral("true") : QStringLiteral("false"),
                         attribute(label), state);
    } else {
        html += QStringLiteral("<span class=\"fixed %1\">%2<small>%3</small></span>")
                    .arg(onOff, state, escaped(texts.notYours));
    }
    return html + QStringLiteral("</li>");
}

QString faultLine(const ProgramFault& fault, const PageTexts& texts) {
    switch (fault.kind) {
    case ProgramFault::Kind::Board:
        return texts.boardFault.arg(QString::number(fault.number), fault.reason);
    case ProgramFault::Kind::Sound:
        return texts.soundFault.arg(fault.reason);
    case ProgramFault::Kind::NetServer:
        return texts.netServerFault.arg(fault.reason);
    case ProgramFault::Kind::HomeAutomation:
        return texts.homeFault.arg(fault.reason);
    }
    return fault.reason;
}

// Said before everything else: a phone user wondering why no ghost is heard looks here first.
QString faultSection(const View& view, const PageTexts& texts) {
    if (view.faults.empty())
        return {};
    QString html = QStringLiteral("<section class=\"faults\" id=\"faults\" role=\"status\">"
                                  "<h2>%1</h2><ul>")
                       .arg(escaped(texts.notWorking));
    for (const ProgramFault& fault : view.faults)
        html += QStringLiteral("<li>%1</li>").arg(escaped(faultLine(fault, texts)));
    return html + QStringLiteral("</ul></section>");
}

QString document(const QString& language, const QString& content) {
    return QStringLiteral("<!DOCTYPE html><html lang=\"%1\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width, "
                          "initial-scale=1\"><title>Gloamery</title><style>%2</style></head>"
                          "<body><main><h1>Gloamery</h1>%3</main></body></html>\n")
        .arg(attribute(language), Style, content);
}

} // namespace

const QString& style() {
    return Style;
}

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\'':
            out += QStringLiteral("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString clock(int seconds) {
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    const QString rest = QStringLiteral("%1:%2").arg(minutes).arg(seconds % 60, 2, 10, QChar(u'0'));
    return hours == 0 ? rest
                      : QStringLiteral("%1:%2").arg(hours).arg(rest.rightJustified(5, QChar(u'0')));
}

QString page(const View& view, const PageTexts& texts) {
    QString content =
        QStringLiteral("<p class=\"who\">%1</p>").arg(escaped(texts.signedInAs.arg(view.login)));
    if (!view.notice.isEmpty())
        content += QStringLiteral("<p class=\"notice\" role=\"alert\" id=\"notice\">%1</p>")
                       .arg(escaped(view.notice));
    else if (view.dialogOpen)
        content += QStringLiteral("<p class=\"notice\" id=\"notice\">%1</p>")
                       .arg(escaped(texts.dialogOpen));
    content += faultSection(view, texts);
    content += attractionSection(view, texts);
    content += QStringLiteral("<section id=\"ghosts\"><h2>%1</h2><ul>").arg(escaped(texts.ghosts));
    for (const Ghost& ghost : view.ghosts)
        content += ghostItem(ghost, view, texts);
    content += QStringLiteral("</ul></section>");
    return document(texts.htmlLanguage, content);
}

QString messagePage(const QString& message, const PageTexts& texts) {
    return document(texts.htmlLanguage,
                    QStringLiteral("<p class=\"notice\">%1</p>").arg(escaped(message)));
}

} // namespace PageHtml
