#pragma once
// The new-course page's course-code items: the code of the previewed course
// and "Enter Code", which takes a typed code. Private to the menus.
struct MenuItem;
struct MenuScreen;

// Action of "Enter Code": typed text goes into the item from now on.
void startCodeEntry(int slot);
// Once per menu frame while typing: the typed text, Enter to accept, Escape
// (on release, and then it quits nothing) to cancel. An accepted code sets
// every setting and its label and makes that course with its preview; a
// refused one shows why in the item and changes nothing.
void updateCodeEntry(MenuScreen& m);
// Stops the typing; the item shows its name again.
void endCodeEntry(MenuScreen& m);
// The code item shows the code of the course just made, or hides when
// `shown` is false or the course has no code.
void showCourseCode(MenuScreen& m, bool shown);

// From the new-course page: the preview takes the map just drawn; the
// setting items show the settings in use.
void showPreview(MenuItem& preview);
void showSettingLabels(MenuScreen& m);
