#pragma once
// The texts the settings dialog's code puts on screen; the captions of its controls
// are in its template, frm_settings.rc.

namespace rilto {

// The tab strip: one tab per page, and the tool tips of the first two.
inline constexpr const char* kSettingsTabs[] = {"Micropauses", "Exercise Breaks",
                                                "Exercise Schemes"};
inline constexpr const char* kSettingsTabTips[] = {"Micropause Options", "Exercise Break Options",
                                                   ""};

// "Video size": the exercise player's sizes, ViewAm 0 to 4.
inline constexpr const char* kVideoSizes[] = {"240x180", "320x240", "480x360", "640x480",
                                              "960x720"};

// The exercise list's columns; the blanks keep the title clear of the check box.
inline constexpr char kExerciseColumn[] = "     Exercise";
inline constexpr char kLengthColumn[] = "Length";
// What follows the number of seconds in the "Length" column.
inline constexpr char kSecondsSuffix[] = " seconds";

// The reorder buttons' arrows, as the Marlett symbol font draws them.
inline constexpr char kArrowFont[] = "Marlett";
inline constexpr char kArrowUp[] = "5";
inline constexpr char kArrowDown[] = "6";

}  // namespace rilto
