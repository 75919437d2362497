#pragma once

// Names of the interface texts that the windows read by number. A pair of state texts sits at n
// (off or stopped) and n + 1 (on or running); the numbering is the table's, so these never move.
namespace TextEntry {
constexpr int WebServerStopped = 6;
constexpr int WebServerRunning = 7;
constexpr int AttractionStopped = 19;
constexpr int AttractionRunning = 20;
constexpr int Ghost = 21;
constexpr int GhostNumber = 22;
constexpr int GhostName = 23;
constexpr int GhostPhoto = 24;
constexpr int SoundTestHint = 26;
constexpr int GhostOnCaption = 31;
constexpr int GhostOnHint = 32;
constexpr int TestButton = 61;
constexpr int GhostDialogTitle = 72;
constexpr int RunAttractionHint = 74;
constexpr int StopAttractionHint = 75;
constexpr int HelpHint = 85;
constexpr int WebsiteHint = 86;
constexpr int MinimiseHint = 87;
constexpr int ExitHint = 88;
constexpr int PassportGroup = 171;
constexpr int TemperGroup = 172;
constexpr int WorkingTimeGroup = 173;
constexpr int HobbiesGroup = 174;
constexpr int RegimeChoiceHint = 177;
constexpr int WorkingHoursHint = 178;
constexpr int SpecialtyChoiceHint = 179;
constexpr int SensorChoiceHint = 180;
} // namespace TextEntry
