// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Entries of the image lists that the art generator draws and the windows show. A list never
// renumbers: new pictures go after its last entry, so these numbers are the artwork's contract.
// A button's states follow its first entry: normal, pointer over, pointer over and pressed.
namespace ButtonState {
constexpr int Normal = 0;
constexpr int Hover = 1;
constexpr int Pressed = 2;
} // namespace ButtonState

// BitmapList_Btn: the main window's small buttons and the web window's start button.
namespace BtnImage {
constexpr int Count = 65;
constexpr int HelpDimmed = 0;
constexpr int Help = 1;
constexpr int WebPageDimmed = 2;
constexpr int WebPage = 3;
constexpr int MinimiseDimmed = 4;
constexpr int Minimise = 5;
constexpr int CloseHover = 6;
constexpr int Close = 7;
constexpr int SmallUp = 8;
constexpr int SmallUpHover = 9;
constexpr int SmallDown = 10;
constexpr int SmallDownHover = 11;
constexpr int WebRailLeft = 18;
constexpr int WebRailRight = 19;
constexpr int WebStartPressed = 20; // this button's states run backwards
constexpr int WebStartHover = 21;
constexpr int WebStart = 22;
} // namespace BtnImage

// fmNet/BitmapList_Btn: the network server window's own buttons. Its numbering has gaps; only
// these entries hold pictures.
namespace NetBtnImage {
constexpr int Count = 119;
constexpr int CloseHover = 34;
constexpr int Close = 35;
constexpr int ReconnectPressed = 46; // this button's states run backwards
constexpr int ReconnectHover = 47;
constexpr int Reconnect = 48;
constexpr int RailLeft = 49;
constexpr int RailRight = 50;
constexpr int RailFiller = 51;
constexpr int DeleteClientHover = 69;
constexpr int DeleteClient = 70;
constexpr int AddClientHover = 71;
constexpr int AddClient = 72;
constexpr int SocketPressed = 81; // backwards too; also the open socket's look at rest
constexpr int SocketHover = 82;
constexpr int SocketStart = 83;
constexpr int CloseAll = 87;
constexpr int CloseAllHover = 88;
constexpr int CloseMarked = 89;
constexpr int CloseMarkedHover = 90;
constexpr int SendAll = 91;
constexpr int SendAllHover = 92;
constexpr int SendMarked = 93;
constexpr int SendMarkedHover = 94;
constexpr int PageDownNoMore = 112;
constexpr int PageDown = 113;
constexpr int PageDownHover = 114;
constexpr int PageUpNoMore = 116;
constexpr int PageUp = 117;
constexpr int PageUpHover = 118;
} // namespace NetBtnImage

// BitmapList_Yellow: the big gold buttons and the dialogs' pictures.
namespace YellowImage {
constexpr int Count = 68;
constexpr int CloseEnglish = 6; // + ButtonState
constexpr int StartEnglish = 15;
constexpr int CloseRussian = 21;
constexpr int StartRussian = 33;
constexpr int DurationTrack = 39;
constexpr int DurationKnobFirst = 42;
constexpr int DurationKnobMiddle = 43;
constexpr int DurationKnobUnlimited = 44;
constexpr int DialogBackgroundTall = 49;
constexpr int GhostPanelBackground = 50;
constexpr int MarkZero = 51;
constexpr int MarkOne = 52;
constexpr int SwitchOn = 55;
constexpr int SwitchOff = 56;
constexpr int CheckboxClear = 57;
constexpr int CheckboxTicked = 58;
constexpr int StopEnglish = 62;
constexpr int StopRussian = 65;
} // namespace YellowImage

// BitmapList_Ghost: ten pictures a ghost, from the ghost's first entry on.
namespace GhostImage {
constexpr int Count = 40;
constexpr int PerGhost = 10;
constexpr int Floating = 0; // 1 to 5: the specialties
constexpr int Asleep = 6;
constexpr int Singing = 7;
constexpr int PresentationRussian = 8;
constexpr int PresentationEnglish = 9;
constexpr int first(int ghost) {
    return PerGhost * (ghost - 1);
}
} // namespace GhostImage

// BitmapList_GhostFoto: 0 "no photo", then ghost n at n.
namespace PhotoImage {
constexpr int Count = 9;
constexpr int NoPhoto = 0;
} // namespace PhotoImage

// BitmapList_GhostPassport: regimes at their number, specialties 10 further on.
namespace PassportImage {
constexpr int Count = 16;
constexpr int NotSelected = 0;
constexpr int SpecialtyOffset = 10;
} // namespace PassportImage

// BitmapList_YellowMenu: the ghost dialog's tab strip and its tabs, ghost n at first + n.
namespace TabImage {
constexpr int Count = 33;
constexpr int Strip = 0;
constexpr int English = 0;
constexpr int Russian = 8;
constexpr int EnglishHighlighted = 16;
constexpr int RussianHighlighted = 24;
} // namespace TabImage

// BitmapList_Scroll_1: the dialogs' scrollers.
namespace ScrollImage {
constexpr int Count = 5;
constexpr int Middle = 0;
constexpr int Up = 1;
constexpr int Down = 2;
constexpr int UpHover = 3;
constexpr int DownHover = 4;
} // namespace ScrollImage
