// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Names of the interface texts that the windows read by number. A pair of state texts sits at n
// (off or stopped) and n + 1 (on or running); the numbering is the table's, so these never move.
namespace TextEntry {
constexpr int WebServerStopped = 6;
constexpr int WebServerRunning = 7;
constexpr int WebStartCaption = 11;
constexpr int WebStopCaption = 12;
constexpr int Attraction = 18;
constexpr int AttractionStopped = 19;
constexpr int AttractionRunning = 20;
constexpr int Ghost = 21;
constexpr int GhostNumber = 22;
constexpr int GhostName = 23;
constexpr int GhostPhoto = 24;
constexpr int SoundTestHint = 26;
constexpr int Ghosts = 28;
constexpr int GhostOnCaption = 31;
constexpr int GhostOnHint = 32;
constexpr int TestButton = 61;
constexpr int PortLabel = 62;
constexpr int PageLabel = 63;
constexpr int AddressLabel = 64;
constexpr int User = 65;
constexpr int LoginLabel = 66;
constexpr int UserUrl = 67;
constexpr int PasswordLabel = 68;
constexpr int Admin = 69;
constexpr int AdminUrl = 70;
constexpr int GhostDialogTitle = 72;
constexpr int RunAttractionHint = 74;
constexpr int StopAttractionHint = 75;
constexpr int RunWebServerHint = 76;
constexpr int StopWebServerHint = 77;
constexpr int HelpHint = 85;
constexpr int WebsiteHint = 86;
constexpr int MinimiseHint = 87;
constexpr int ExitHint = 88;
constexpr int WebAutorun = 92;
constexpr int UrlHintTail = 101;
constexpr int AdminLoginHint = 109;
constexpr int AdminPasswordHint = 110;
constexpr int PortHint = 111;
constexpr int PageHint = 112;
constexpr int AddressHint = 113;
constexpr int UserLoginHint = 115;
constexpr int UserPasswordHint = 116;
constexpr int PassportGroup = 171;
constexpr int TemperGroup = 172;
constexpr int WorkingTimeGroup = 173;
constexpr int HobbiesGroup = 174;
constexpr int RegimeChoiceHint = 177;
constexpr int WorkingHoursHint = 178;
constexpr int SpecialtyChoiceHint = 179;
constexpr int SensorChoiceHint = 180;
} // namespace TextEntry
