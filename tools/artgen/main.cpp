// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of Gloamery's windows into <out>/Img, the same bytes on every run.
//   gloamery_artgen --out <Res folder> [--sheets <folder for contact sheets>]

#include "ArtKit.h"
#include "ControlArt.h"
#include "GhostArt.h"
#include "ImageListWriter.h"
#include "SkinArt.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/ProgramIcon.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QString states(int state) {
    static const char* const names[] = {"normal", "pointer over", "pointer over, pressed"};
    return QString::fromLatin1(names[state]);
}

ImageListWriter buttonList() {
    ImageListWriter list(QStringLiteral("BitmapList_Btn"), BtnImage::Count, QSize(22, 22));
    using namespace ControlArt;
    list.set(BtnImage::HelpDimmed, roundIconButton(22, 23, ControlArt::Help, 2),
             QStringLiteral("help, dimmed"));
    list.set(BtnImage::Help, roundIconButton(22, 23, ControlArt::Help, 0), QStringLiteral("help"));
    list.set(BtnImage::WebPageDimmed, roundIconButton(22, 23, ControlArt::Globe, 2),
             QStringLiteral("web page, dimmed"));
    list.set(BtnImage::WebPage, roundIconButton(22, 23, ControlArt::Globe, 0),
             QStringLiteral("web page"));
    list.set(BtnImage::MinimiseDimmed, roundIconButton(22, 23, ControlArt::Minimise, 2),
             QStringLiteral("minimise to tray, dimmed"));
    list.set(BtnImage::Minimise, roundIconButton(22, 23, ControlArt::Minimise, 0),
             QStringLiteral("minimise to tray"));
    list.set(BtnImage::CloseHover, closeMedallionButton(true),
             QStringLiteral("main window close, pointer over"));
    list.set(BtnImage::Close, closeMedallionButton(false), QStringLiteral("main window close"));
    list.set(BtnImage::SmallUp, smallArrow(true, false), QStringLiteral("small up arrow"));
    list.set(BtnImage::SmallUpHover, smallArrow(true, true),
             QStringLiteral("small up arrow, pointer over"));
    list.set(BtnImage::SmallDown, smallArrow(false, false), QStringLiteral("small down arrow"));
    list.set(BtnImage::SmallDownHover, smallArrow(false, true),
             QStringLiteral("small down arrow, pointer over"));
    list.set(BtnImage::WebRailLeft, railCap(true, 6),
             QStringLiteral("web start button rail, left cap"));
    list.set(BtnImage::WebRailRight, railCap(false, 5),
             QStringLiteral("web start button rail, right cap"));
    list.set(BtnImage::WebStartPressed, powerButton(2),
             QStringLiteral("web start button, ") + states(2));
    list.set(BtnImage::WebStartHover, powerButton(1),
             QStringLiteral("web start button, ") + states(1));
    list.set(BtnImage::WebStart, powerButton(0), QStringLiteral("web start button, ") + states(0));
    return list;
}

ImageListWriter yellowList(const QImage& skin) {
    ImageListWriter list(QStringLiteral("BitmapList_Yellow"), YellowImage::Count, QSize(164, 50));
    using namespace ControlArt;
    using namespace YellowImage;
    for (int state = 0; state < 3; ++state) {
        list.set(CloseEnglish + state, closeButton(false, state),
                 QStringLiteral("dialog close \"Close\", ") + states(state));
        list.set(CloseRussian + state, closeButton(true, state),
                 QStringLiteral("dialog close \"Закрыть\", ") + states(state));
        list.set(StartEnglish + state, SkinArt::startButton(skin, false, state),
                 QStringLiteral("start button \"Start\", ") + states(state));
        list.set(StartRussian + state, SkinArt::startButton(skin, true, state),
                 QStringLiteral("start button \"Старт\", ") + states(state));
        // Added after the list's last entry, so every older entry keeps its number.
        list.set(StopEnglish + state,
                 SkinArt::startButton(skin, false, state, SkinArt::StartFace::Stop),
                 QStringLiteral("start button \"Stop\", ") + states(state));
        list.set(StopRussian + state,
                 SkinArt::startButton(skin, true, state, SkinArt::StartFace::Stop),
                 QStringLiteral("start button \"Стоп\", ") + states(state));
    }
    list.set(DurationTrack, durationTrack(), QStringLiteral("duration track"));
    list.set(DurationKnobFirst, durationKnob(0), QStringLiteral("duration knob, first position"));
    list.set(DurationKnobMiddle, durationKnob(1),
             QStringLiteral("duration knob, middle positions"));
    list.set(DurationKnobUnlimited, durationKnob(2), QStringLiteral("duration knob, unlimited"));
    list.set(DialogBackgroundTall, dialogBackground(764, 410),
             QStringLiteral("dialog background, tall"));
    list.set(GhostPanelBackground, dialogBackground(764, 350),
             QStringLiteral("ghost dialog panel background"));
    list.set(MarkZero, mark(QStringLiteral("0")), QStringLiteral("mark \"0\""));
    list.set(MarkOne, mark(QStringLiteral("1")), QStringLiteral("mark \"1\""));
    list.set(SwitchOn, onOffSwitch(true), QStringLiteral("on/off switch, on"));
    list.set(SwitchOff, onOffSwitch(false), QStringLiteral("on/off switch, off"));
    list.set(CheckboxClear, checkbox(false), QStringLiteral("checkbox, not ticked"));
    list.set(CheckboxTicked, checkbox(true), QStringLiteral("checkbox, ticked"));
    return list;
}

ImageListWriter ghostList() {
    ImageListWriter list(QStringLiteral("BitmapList_Ghost"), GhostImage::Count, QSize(120, 120));
    static const char* const specialties[] = {"floating", "doorman", "electrician",
                                              "plumber",  "postman", "pedestrian"};
    for (int ghost = 1; ghost <= 4; ++ghost) {
        const int first = GhostImage::first(ghost);
        const QString who = QStringLiteral("ghost %1, ").arg(ghost);
        for (int specialty = 0; specialty <= 5; ++specialty)
            list.set(first + GhostImage::Floating + specialty,
                     GhostArt::specialtyPicture(ghost, specialty),
                     who + QString::fromLatin1(specialties[specialty]));
        list.set(first + GhostImage::Asleep, GhostArt::sleepingPicture(ghost),
                 who + QStringLiteral("asleep"));
        list.set(first + GhostImage::Singing, GhostArt::singingPicture(ghost),
                 who + QStringLiteral("singing"));
        list.set(first + GhostImage::PresentationRussian,
                 GhostArt::presentationPicture(ghost, true),
                 who + QStringLiteral("presentation, Russian"));
        list.set(first + GhostImage::PresentationEnglish,
                 GhostArt::presentationPicture(ghost, false),
                 who + QStringLiteral("presentation, English"));
    }
    return list;
}

ImageListWriter photoList() {
    ImageListWriter list(QStringLiteral("BitmapList_GhostFoto"), PhotoImage::Count, QSize(90, 90));
    list.set(PhotoImage::NoPhoto, GhostArt::unknownPhoto(), QStringLiteral("no photo"));
    for (int ghost = 1; ghost <= 8; ++ghost)
        list.set(ghost, GhostArt::photo(ghost), QStringLiteral("photo of ghost %1").arg(ghost));
    return list;
}

ImageListWriter passportList() {
    ImageListWriter list(QStringLiteral("BitmapList_GhostPassport"), PassportImage::Count,
                         QSize(90, 90));
    list.set(PassportImage::NotSelected, GhostArt::specialtyCard(0),
             QStringLiteral("specialty not selected"));
    static const char* const regimes[] = {"around the clock", "night", "daytime", "pre-set time",
                                          "randomly"};
    for (int regime = 1; regime <= 5; ++regime)
        list.set(regime, GhostArt::regimePicture(regime),
                 QStringLiteral("regime: ") + QString::fromLatin1(regimes[regime - 1]));
    static const char* const specialties[] = {"doorman", "electrician", "plumber", "postman",
                                              "pedestrian"};
    for (int specialty = 1; specialty <= 5; ++specialty)
        list.set(PassportImage::SpecialtyOffset + specialty, GhostArt::specialtyCard(specialty),
                 QStringLiteral("specialty: ") + QString::fromLatin1(specialties[specialty - 1]));
    return list;
}

ImageListWriter tabList() {
    ImageListWriter list(QStringLiteral("BitmapList_YellowMenu"), TabImage::Count, QSize(82, 42));
    list.set(TabImage::Strip, ControlArt::tabStrip(), QStringLiteral("tab strip"));
    for (int ghost = 1; ghost <= 8; ++ghost) {
        list.set(TabImage::English + ghost, ControlArt::tab(ghost, false, false),
                 QStringLiteral("tab \"Ghost %1\"").arg(ghost));
        list.set(TabImage::Russian + ghost, ControlArt::tab(ghost, true, false),
                 QStringLiteral("tab \"Призрак %1\"").arg(ghost));
        list.set(TabImage::EnglishHighlighted + ghost, ControlArt::tab(ghost, false, true),
                 QStringLiteral("tab \"Ghost %1\", highlighted").arg(ghost));
        list.set(TabImage::RussianHighlighted + ghost, ControlArt::tab(ghost, true, true),
                 QStringLiteral("tab \"Призрак %1\", highlighted").arg(ghost));
    }
    return list;
}

ImageListWriter scrollList() {
    ImageListWriter list(QStringLiteral("BitmapList_Scroll_1"), ScrollImage::Count, QSize(21, 30));
    list.set(ScrollImage::Middle, ControlArt::scrollerTrack(), QStringLiteral("scroller middle"));
    list.set(ScrollImage::Up, ControlArt::scrollerArrow(true, false),
             QStringLiteral("scroller up"));
    list.set(ScrollImage::Down, ControlArt::scrollerArrow(false, false),
             QStringLiteral("scroller down"));
    list.set(ScrollImage::UpHover, ControlArt::scrollerArrow(true, true),
             QStringLiteral("scroller up, pointer over"));
    list.set(ScrollImage::DownHover, ControlArt::scrollerArrow(false, true),
             QStringLiteral("scroller down, pointer over"));
    return list;
}

// The network server window keeps its own button list under the same name as the main window's.
ImageListWriter netButtonList() {
    ImageListWriter list(QStringLiteral("fmNet/BitmapList_Btn"), NetBtnImage::Count, QSize(22, 22));
    using namespace ControlArt;
    using namespace NetBtnImage;
    const QString over = QStringLiteral(", pointer over");
    list.set(CloseHover, toolButton(22, 23, ToolClose, true), QStringLiteral("close") + over);
    list.set(Close, toolButton(22, 23, ToolClose, false), QStringLiteral("close"));
    for (int state = 0; state < 3; ++state) {
        list.set(Reconnect - state, reconnectButton(state),
                 QStringLiteral("reconnect, ") + states(state));
        list.set(SocketStart - state, powerButton(state),
                 QStringLiteral("socket start/stop, ") + states(state));
    }
    list.set(RailLeft, railCap(true, 6), QStringLiteral("socket rail, left cap"));
    list.set(RailRight, railCap(false, 6), QStringLiteral("socket rail, right cap"));
    list.set(RailFiller, railFiller(), QStringLiteral("socket rail, filler"));
    struct Tool {
        int normal;
        int hovered;
        int glyph;
        const char* what;
    };
    for (const Tool& tool :
         {Tool{DeleteClient, DeleteClientHover, ToolMinus, "delete client"},
          Tool{AddClient, AddClientHover, ToolPlus, "add client"},
          Tool{CloseAll, CloseAllHover, ToolCloseAll, "close all clients"},
          Tool{CloseMarked, CloseMarkedHover, ToolCloseMarked, "close marked clients"},
          Tool{SendAll, SendAllHover, ToolSendAll, "send to all"},
          Tool{SendMarked, SendMarkedHover, ToolSendMarked, "send to marked"}}) {
        list.set(tool.normal, toolButton(22, 22, tool.glyph, false),
                 QString::fromLatin1(tool.what));
        list.set(tool.hovered, toolButton(22, 22, tool.glyph, true),
                 QString::fromLatin1(tool.what) + over);
    }
    static const char* const pageStates[] = {"no more pages", "normal", "pointer over"};
    for (int state = 0; state < 3; ++state) {
        list.set(PageDownNoMore + state, pageButton(false, state),
                 QStringLiteral("page down, ") + QString::fromLatin1(pageStates[state]));
        list.set(PageUpNoMore + state, pageButton(true, state),
                 QStringLiteral("page up, ") + QString::fromLatin1(pageStates[state]));
    }
    return list;
}

ImageListWriter menuList() {
    ImageListWriter list(QStringLiteral("MenuPictures"), ControlArt::menuPictureCount(),
                         QSize(20, 20));
    static const char* const entries[] = {
        "interface language", "Russian", "English",  "web access settings", "program settings",
        "ghost settings",     "exit",    "our site", "program page",        "network server"};
    for (int i = 0; i < ControlArt::menuPictureCount(); ++i)
        list.set(i, ControlArt::menuPicture(i), QString::fromLatin1(entries[i]));
    return list;
}

// Mock-ups that put the pictures where the windows place them, for judging them together.
QImage mockMainWindow(const QImage& skin, const std::vector<ImageListWriter>& lists, bool russian) {
    QImage image = skin.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const ImageListWriter& ghosts = lists[2];
    using namespace GhostImage;
    const int entries[] = {first(1) + Floating, first(2) + 2, first(3) + 3,
                           first(4) + (russian ? PresentationRussian : PresentationEnglish)};
    const int lefts[] = {45, 225, 420, 615};
    for (int k = 0; k < 4; ++k)
        painter.drawImage(lefts[k], 152, ghosts.image(entries[k]));
    painter.drawImage(
        316, 318,
        lists[1].image((russian ? YellowImage::StartRussian : YellowImage::StartEnglish) +
                       ButtonState::Hover));
    painter.drawImage(710, 13, lists[0].image(BtnImage::Close));
    return image;
}

QImage mockGhostDialog(const std::vector<ImageListWriter>& lists, bool russian) {
    QImage image = ArtKit::filledImage(790, 520, ArtKit::WindowBlue);
    QPainter painter(&image);
    const ImageListWriter& yellow = lists[1];
    const ImageListWriter& tabs = lists[5];
    const ImageListWriter& passport = lists[4];
    const ImageListWriter& scroll = lists[6];
    const ImageListWriter& buttons = lists[0];
    painter.drawImage(13, 40, tabs.image(TabImage::Strip));
    for (int n = 1; n <= 8; ++n)
        painter.drawImage(
            25 + 94 * (n - 1), 47,
            tabs.image(
                n == 3 ? (russian ? TabImage::RussianHighlighted : TabImage::EnglishHighlighted) + n
                       : (russian ? TabImage::Russian : TabImage::English) + n));
    painter.drawImage(13, 100, yellow.image(YellowImage::GhostPanelBackground));
    const QColor group(0x12, 0x5B, 0xA1);
    painter.fillRect(QRect(28, 112, 146, 328), group);
    painter.drawImage(QRect(36, 222, 90, 90), lists[3].image(3));
    painter.drawImage(36, 417, yellow.image(YellowImage::MarkZero));
    painter.drawImage(56, 404, yellow.image(YellowImage::SwitchOn));
    painter.drawImage(150, 417, yellow.image(YellowImage::MarkOne));
    painter.fillRect(QRect(186, 112, 578, 60), group);
    for (int i = 0; i < 4; ++i)
        painter.drawImage(
            194 + 150 * i, 134,
            yellow.image(i % 2 == 0 ? YellowImage::CheckboxTicked : YellowImage::CheckboxClear));
    for (const int left : {186, 481}) {
        painter.fillRect(QRect(left, 180, 283, 260), group);
        painter.drawImage(left + 8, 222,
                          passport.image(left == 186 ? 4 : PassportImage::SpecialtyOffset + 3));
        painter.drawImage(left + 100, 221, scroll.image(ScrollImage::UpHover));
        painter.drawImage(left + 100, 251, scroll.image(ScrollImage::Middle));
        painter.drawImage(left + 100, 277, scroll.image(ScrollImage::Down));
        painter.drawImage(left + 8 + 37, 324 + 1, buttons.image(BtnImage::SmallUpHover));
        painter.drawImage(left + 8 + 37, 324 + 11, buttons.image(BtnImage::SmallDown));
    }
    painter.drawImage(608, 460,
                      yellow.image(russian ? YellowImage::CloseRussian + ButtonState::Hover
                                           : YellowImage::CloseEnglish));
    return image;
}

QImage mockSettingsDialog(const std::vector<ImageListWriter>& lists, bool russian) {
    QImage image = ArtKit::filledImage(790, 520, ArtKit::WindowBlue);
    QPainter painter(&image);
    const ImageListWriter& yellow = lists[1];
    painter.drawImage(13, 40, yellow.image(YellowImage::DialogBackgroundTall));
    const QColor group(0x12, 0x5B, 0xA1);
    painter.fillRect(QRect(28, 64, 360, 121), group);
    painter.fillRect(QRect(402, 64, 360, 121), group);
    painter.setFont(ArtKit::sans(11));
    painter.setPen(QColor(0xD9, 0xD9, 0x00));
    const char* const labels[] = {"15 мин.", "30 мин.", "60 мин.", "Неогр."};
    const int lefts[] = {14, 110, 208, 308};
    for (int i = 0; i < 4; ++i)
        painter.drawText(28 + lefts[i], 64 + 36 + 11, QString::fromUtf8(labels[i]));
    painter.drawImage(28 + 24, 64 + 54, yellow.image(YellowImage::DurationTrack));
    painter.drawImage(28 + 120, 64 + 62, yellow.image(YellowImage::DurationKnobMiddle));
    painter.drawImage(28 + 315, 64 + 62, yellow.image(YellowImage::DurationKnobUnlimited));
    painter.drawImage(402 + 8, 64 + 38, yellow.image(YellowImage::CheckboxTicked));
    painter.drawImage(402 + 8, 64 + 62, yellow.image(YellowImage::CheckboxClear));
    painter.drawImage(608, 460,
                      yellow.image(russian ? YellowImage::CloseRussian + ButtonState::Pressed
                                           : YellowImage::CloseEnglish + ButtonState::Hover));
    return image;
}

bool save(const QImage& image, const QString& file) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (image.save(file, "PNG"))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // Drawing text needs a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("out"), QStringLiteral("Res folder to fill"), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("sheets"), QStringLiteral("Folder for contact sheets"),
                      QStringLiteral("dir")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("out"))) {
        std::fprintf(stderr, "usage: gloamery_artgen --out <Res folder> [--sheets <folder>]\n");
        return EXIT_FAILURE;
    }
    if (!ArtKit::loadFonts()) {
        std::fprintf(stderr, "artgen: the DejaVu fonts (fonts-dejavu-core) are missing\n");
        return EXIT_FAILURE;
    }
    const QString out = parser.value(QStringLiteral("out"));
    const QString img = out + QStringLiteral("/Img");

    const QImage skin = SkinArt::skin();
    bool ok = save(skin, img + QStringLiteral("/Skin.png"));
    for (const int size : {32, 64})
        ok = save(GhostArt::appIcon(size), img + QStringLiteral("/Icon/tray-%1.png").arg(size)) &&
             ok;
    for (const int size : ProgramIcon::Sizes)
        ok =
            save(GhostArt::appIcon(size), img + QStringLiteral("/Icon/app-%1.png").arg(size)) && ok;

    std::vector<ImageListWriter> lists;
    lists.push_back(buttonList());
    lists.push_back(yellowList(skin));
    lists.push_back(ghostList());
    lists.push_back(photoList());
    lists.push_back(passportList());
    lists.push_back(tabList());
    lists.push_back(scrollList());
    lists.push_back(menuList());
    lists.push_back(netButtonList());
    const QString sheets = parser.value(QStringLiteral("sheets"));
    for (const ImageListWriter& list : lists) {
        const QString error = list.write(out);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "artgen: %s\n", qPrintable(error));
            ok = false;
        }
        if (!sheets.isEmpty())
            ok = save(list.contactSheet(),
                      sheets + QLatin1Char('/') + list.name() + QStringLiteral(".png")) &&
                 ok;
    }
    if (!sheets.isEmpty()) {
        for (const bool russian : {false, true}) {
            const QString language = russian ? QStringLiteral("ru") : QStringLiteral("en");
            ok = save(mockMainWindow(skin, lists, russian),
                      sheets + QStringLiteral("/MockMain-%1.png").arg(language)) &&
                 ok;
            ok = save(mockSettingsDialog(lists, russian),
                      sheets + QStringLiteral("/MockSettingsDialog-%1.png").arg(language)) &&
                 ok;
            ok = save(mockGhostDialog(lists, russian),
                      sheets + QStringLiteral("/MockGhostDialog-%1.png").arg(language)) &&
                 ok;
        }
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
