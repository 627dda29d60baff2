#pragma once
// The texts the settings dialog's code puts on screen; the captions of its controls
// are in its template, frm_settings.rc.

namespace rilto {

// The tab strip: one tab per page, and the tool tips of all but the scheme page.
inline constexpr const char* kSettingsTabs[] = {
    "Micropauses", "Exercise Breaks", "Exercise Schemes", "Holds", "Schedule", "Keys"};
inline constexpr const char* kSettingsTabTips[] = {
    "Micropause Options", "Exercise Break Options",        "",
    "Hold Options",       "Working Hours and Daily Limit", "Global Hot Keys"};

// The exercise list's columns; the blanks keep the title clear of the check box.
inline constexpr char kExerciseColumn[] = "     Exercise";
inline constexpr char kLengthColumn[] = "Length";
// What follows the number of seconds in the "Length" column.
inline constexpr char kSecondsSuffix[] = " seconds";

// The reorder buttons' arrows, as the Marlett symbol font draws them.
inline constexpr char kArrowFont[] = "Marlett";
inline constexpr char kArrowUp[] = "5";
inline constexpr char kArrowDown[] = "6";

// The scheme editor: the file dialog of "Add...", and its messages and questions, all
// captioned with the program's title.
inline constexpr char kAddExerciseTitle[] = "Add an Exercise";
// Pairs of a name and its patterns, each ended by "|".
inline constexpr char kAddExerciseFilter[] =
    "Video (*.avi)|*.avi;|Pictures (*.bmp)|*.bmp|All files|*.*|";
inline constexpr char kAddExerciseExtension[] = "avi";
inline constexpr char kCannotRemoveLast[] =
    "Cannot delete exercise.  A scheme must contain at least one exercise.";
inline constexpr char kRemoveQuestion[] =
    "Are you sure you want to remove this exercise from the list?";
// "'" + name + "' already exists.  Replace existing scheme?"
inline constexpr char kReplaceBefore[] = "'";
inline constexpr char kReplaceAfter[] = "' already exists.  Replace existing scheme?";
inline constexpr char kSchemeNameRefused[] =
    "This name cannot be used for a scheme.  Please enter another name.";
inline constexpr char kCannotDeleteBuiltIn[] =
    "You cannot delete the built-in schemes.  The built-in schemes are indicated with a "
    "leading asterisk.";
// Apply's word on working hours it cannot read: this, a line per day, then the hint.
inline constexpr char kHoursRefused[] =
    "These working hours cannot be read, so they were not saved; the hours before stay in effect:";
inline constexpr char kHoursHint[] =
    "Write the times as 08:30-12:00,13:00-17:30, or leave the box empty for a day off.";
inline constexpr char kDeleteQuestion[] = "Are you sure you want to delete this scheme?";

}  // namespace rilto
