#include "shell/tray_menu_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/memory_settings_store.h"

namespace rilto {
namespace {

TEST(LoadMnuX, FollowsTheSchemeListOfTheStore) {
    MemorySettingsStore store;
    EXPECT_EQ(LoadMnuX(store), std::vector<std::string>{"Scheme"});

    store.SaveSetting("Schemes", "Num", "3");
    store.SaveSetting("Schemes", "1", "*Short break");
    store.SaveSetting("Schemes", "2", "*Medium break");
    store.SaveSetting("Schemes", "3", "Mine");
    EXPECT_EQ(LoadMnuX(store), (std::vector<std::string>{"*Short break", "*Medium break", "Mine"}));

    // After the count drops to 1, the next display shows one item.
    store.SaveSetting("Schemes", "Num", "1");
    EXPECT_EQ(LoadMnuX(store), std::vector<std::string>{"*Short break"});
}

TEST(LoadMnuX, AMissingNameIsAnEmptyItemAndABadCountNone) {
    MemorySettingsStore store;
    store.SaveSetting("Schemes", "Num", "2");
    store.SaveSetting("Schemes", "1", "A");
    EXPECT_EQ(LoadMnuX(store), (std::vector<std::string>{"A", ""}));
    store.SaveSetting("Schemes", "Num", "many");
    EXPECT_EQ(LoadMnuX(store), std::vector<std::string>{"Scheme"});
    store.SaveSetting("Schemes", "Num", "-4");
    EXPECT_EQ(LoadMnuX(store), std::vector<std::string>{"Scheme"});
    store.SaveSetting("Schemes", "Num", "2000000000");
    EXPECT_LE(LoadMnuX(store).size(), 500u);
}

TEST(LoadTrayMenu, GreysWhatTheProgramCannotDoYet) {
    MemorySettingsStore store;
    const TrayMenuContent none = LoadTrayMenu(store, TrayFeatures{});
    EXPECT_EQ(none.schemes, std::vector<std::string>{"Scheme"});
    EXPECT_FALSE(none.optionsEnabled || none.aboutEnabled || none.exerciseEnabled ||
                 none.schemesEnabled);
    // The placeholder of an empty list names no scheme to run.
    EXPECT_FALSE(LoadTrayMenu(store, TrayFeatures{true, true, true}).schemesEnabled);
    store.SaveSetting("Schemes", "Num", "1");
    const TrayMenuContent all = LoadTrayMenu(store, TrayFeatures{true, true, true});
    EXPECT_TRUE(all.optionsEnabled && all.aboutEnabled && all.exerciseEnabled &&
                all.schemesEnabled);
    // The scheme items start exercise breaks: they come with them.
    const TrayMenuContent noBreaks = LoadTrayMenu(store, TrayFeatures{true, true, false});
    EXPECT_FALSE(noBreaks.schemesEnabled);
}

struct TrayRig {
    int settings = 0;
    int menus = 0;
    int shutdowns = 0;
    int focusBack = 0;
    // Where the last menu opened: at the mouse pointer when nothing.
    std::optional<TrayPoint> menuAt;
    bool chooseAnItem = false;
    std::function<void()> duringMenu;
    TrayController tray{TrayActions{[this] { ++settings; },
                                    [this](std::optional<TrayPoint> at) {
                                        ++menus;
                                        menuAt = at;
                                        if (duringMenu) {
                                            duringMenu();
                                        }
                                        return chooseAnItem;
                                    },
                                    [this] { ++shutdowns; }, [this] { ++focusBack; }}};
};

constexpr TrayPoint kAnchor{1000, 740};

TEST(TrayController, DoubleClickOpensSettingsAndRightButtonUpTheMenu) {
    TrayRig rig;
    for (unsigned m : {0x201u, 0x202u, 0x203u, 0x202u, 0x204u}) {  // the clicks around it
        rig.tray.IconNotify(m);
    }
    EXPECT_EQ(rig.settings, 1);
    EXPECT_EQ(rig.menus, 0);  // pressed, not yet released
    rig.tray.IconNotify(0x205);
    EXPECT_EQ(rig.menus, 1);
}

// Version 4: a right click reports the button-up and then the context menu; the
// keyboard reports Enter or Space as a key select, Shift+F10 as a context menu alone.
TEST(TrayController, TheNewFormOpensOneMenuAPlaceForEachWay) {
    TrayRig rig;
    for (unsigned e : {0x204u, 0x205u, 0x200u, 0x7Bu}) {
        rig.tray.IconNotify(e, kAnchor);
    }
    EXPECT_EQ(rig.menus, 1);
    EXPECT_FALSE(rig.menuAt.has_value());  // at the mouse pointer, as in the old form
    // Delivered while that menu is open, the context menu is dropped as well.
    rig.duringMenu = [&] { rig.tray.IconNotify(0x7B, kAnchor); };
    rig.tray.IconNotify(0x205, kAnchor);
    EXPECT_EQ(rig.menus, 2);

    // A left click selects the icon: nothing happens, as before.
    for (unsigned e : {0x201u, 0x202u, 0x400u}) {
        rig.tray.IconNotify(e, kAnchor);
    }
    EXPECT_EQ(rig.menus, 2);
    EXPECT_EQ(rig.settings, 0);

    // Enter may come twice: the second finds the menu open.
    rig.duringMenu = [&] { rig.tray.IconNotify(0x401, kAnchor); };
    rig.tray.IconNotify(0x401, kAnchor);
    EXPECT_EQ(rig.menus, 3);
    ASSERT_TRUE(rig.menuAt.has_value());
    EXPECT_EQ(rig.menuAt->x, kAnchor.x);
    EXPECT_EQ(rig.menuAt->y, kAnchor.y);

    rig.duringMenu = nullptr;
    rig.tray.IconNotify(0x7B, kAnchor);  // Shift+F10
    EXPECT_EQ(rig.menus, 4);
    EXPECT_TRUE(rig.menuAt.has_value());
}

// The keyboard left the focus in the notification area: a cancelled menu gives it back.
TEST(TrayController, ACancelledKeyboardMenuGivesTheFocusBack) {
    TrayRig rig;
    rig.tray.IconNotify(0x401, kAnchor);
    EXPECT_EQ(rig.focusBack, 1);
    rig.tray.IconNotify(0x205);
    rig.tray.KeyCommand(0);
    EXPECT_EQ(rig.focusBack, 1);  // nothing to give back after the mouse or another program
    rig.chooseAnItem = true;
    rig.tray.IconNotify(0x7B, kAnchor);
    EXPECT_EQ(rig.menus, 3);
    EXPECT_EQ(rig.focusBack, 1);  // the chosen item takes it
}

TEST(TrayController, KeyCodeNinetyNineEndsAndAnyOtherShowsTheMenu) {
    TrayRig rig;
    for (int code : {0, 100, 98, -1}) {
        rig.tray.KeyCommand(code);
    }
    EXPECT_EQ(rig.menus, 4);
    EXPECT_EQ(rig.shutdowns, 0);
    rig.tray.KeyCommand(99);
    EXPECT_EQ(rig.shutdowns, 1);
}

// The menu's own loop takes sent messages and tray notifications while it is open:
// none of them may rebuild and reopen the menu the user is looking at. Shutdown still
// works.
TEST(TrayController, NothingOpensASecondMenuWhileOneIsOpen) {
    TrayRig rig;
    rig.duringMenu = [&] {
        EXPECT_TRUE(rig.tray.MenuOpen());
        rig.tray.IconNotify(0x205);
        rig.tray.KeyCommand(0);
        rig.tray.IconNotify(0x203);  // dropped too: the icon's notification is being handled
    };
    rig.tray.IconNotify(0x205);
    EXPECT_EQ(rig.menus, 1);
    EXPECT_EQ(rig.settings, 0);

    rig.duringMenu = [&] { rig.tray.IconNotify(0x205); };
    rig.tray.KeyCommand(0);
    EXPECT_EQ(rig.menus, 2);

    rig.duringMenu = [&] { rig.tray.KeyCommand(99); };
    rig.tray.KeyCommand(0);
    EXPECT_EQ(rig.shutdowns, 1);

    // Once it closes, the next request is taken.
    rig.duringMenu = nullptr;
    EXPECT_FALSE(rig.tray.MenuOpen());
    rig.tray.IconNotify(0x205);
    EXPECT_EQ(rig.menus, 4);
}

TEST(TrayController, AFailingActionLeavesItReady) {
    TrayController tray(
        TrayActions{[] { throw std::runtime_error("no dialog"); },
                    [](std::optional<TrayPoint>) -> bool { throw std::runtime_error("no menu"); },
                    {},
                    {}});
    EXPECT_THROW(tray.IconNotify(0x203), std::runtime_error);
    EXPECT_THROW(tray.KeyCommand(0), std::runtime_error);
    EXPECT_FALSE(tray.MenuOpen());
    EXPECT_THROW(tray.IconNotify(0x205), std::runtime_error);
}

TEST(TrayIconRetry, TriesThirtyTimesInAll) {
    TrayIconRetry retry;
    retry.FirstFailed();
    int more = 0;
    while (retry.AnotherAttempt()) {
        ++more;
    }
    EXPECT_EQ(1 + more + 1, TrayIconRetry::kAttempts);  // the first, the retries, the last
    retry.FirstFailed();                                // Explorer restarted: a new round
    EXPECT_TRUE(retry.AnotherAttempt());
}

// The menu as the user reads it, one line per item: "-" a separator, "*" after the bold
// default item, "(grey)" after a greyed one, "(checked)" after one with a check mark,
// " >" and its items after a submenu, and the command's id after every command, so that
// an item with the right text but another command shows.
std::vector<std::string> MenuLines(const std::vector<TrayMenuItem>& items) {
    std::vector<std::string> lines;
    for (const TrayMenuItem& item : items) {
        if (item.kind == TrayMenuItem::Kind::Separator) {
            EXPECT_TRUE(item.caption.empty() && item.id == 0 && item.items.empty());
            lines.emplace_back("-");
            continue;
        }
        std::string line = item.caption;
        line += item.isDefault ? "*" : "";
        line += item.enabled ? "" : " (grey)";
        line += item.checked ? " (checked)" : "";
        if (item.kind == TrayMenuItem::Kind::Submenu) {
            line += " >";
            for (const std::string& sub : MenuLines(item.items)) {
                line += " " + sub + ";";
            }
        } else {
            line += " #" + std::to_string(item.id);
        }
        lines.push_back(line);
    }
    return lines;
}

const char kPauseLine[] =
    "&Pause > For &30 minutes #2007; For &1 hour #2008; For &2 hours #2009; "
    "Until &tomorrow #2010;";

// The scheme items stand between the second and the third separator, whatever stands
// above them; "&Resume (paused until hh:nn)" takes the place of "&Pause" while paused.
TEST(TrayMenuItems, ListTheWholeMenuInOrderWithItsSeparators) {
    MemorySettingsStore store;
    const TrayFeatures all{true, true, true};
    // No schemes: the greyed placeholder.
    EXPECT_EQ(
        MenuLines(TrayMenuItems(LoadTrayMenu(store, all))),
        (std::vector<std::string>{
            "&Options...* #2001", "&Status... #2002", "&About... #2003", "S&tatistics... #2012",
            "-", "&Micropause Now! #2004", "&Exercise Now! #2005", "Rea&ding Mode #2013", "-",
            "Scheme (grey) #2100", "-", kPauseLine, "Sh&utdown Rilto #2006"}));

    store.SaveSetting("Schemes", "Num", "3");
    store.SaveSetting("Schemes", "1", "*Short break");
    store.SaveSetting("Schemes", "2", "*Medium break");
    store.SaveSetting("Schemes", "3", "Mine");
    TrayMenuContent content = LoadTrayMenu(store, all);
    EXPECT_EQ(MenuLines(TrayMenuItems(content)),
              (std::vector<std::string>{"&Options...* #2001", "&Status... #2002", "&About... #2003",
                                        "S&tatistics... #2012", "-", "&Micropause Now! #2004",
                                        "&Exercise Now! #2005", "Rea&ding Mode #2013", "-",
                                        "*Short break #2100", "*Medium break #2101", "Mine #2102",
                                        "-", kPauseLine, "Sh&utdown Rilto #2006"}));

    content.pausedUntil = "14:30";
    EXPECT_EQ(
        MenuLines(TrayMenuItems(content)),
        (std::vector<std::string>{"&Options...* #2001", "&Status... #2002", "&About... #2003",
                                  "S&tatistics... #2012", "-", "&Micropause Now! #2004",
                                  "&Exercise Now! #2005", "Rea&ding Mode #2013", "-",
                                  "*Short break #2100", "*Medium break #2101", "Mine #2102", "-",
                                  "&Resume (paused until 14:30) #2011", "Sh&utdown Rilto #2006"}));

    // Nothing the program cannot do yet is offered.
    content = LoadTrayMenu(store, TrayFeatures{});
    content.pausedUntil = "09:05";
    EXPECT_EQ(MenuLines(TrayMenuItems(content)),
              (std::vector<std::string>{
                  "&Options...* (grey) #2001", "&Status... #2002", "&About... (grey) #2003",
                  "S&tatistics... #2012", "-", "&Micropause Now! #2004",
                  "&Exercise Now! (grey) #2005", "Rea&ding Mode #2013", "-",
                  "*Short break (grey) #2100", "*Medium break (grey) #2101", "Mine (grey) #2102",
                  "-", "&Resume (paused until 09:05) #2011", "Sh&utdown Rilto #2006"}));
}

// Off hours: a greyed line that says until when, just above "&Pause"; a pause's item
// stands alone.
TEST(TrayMenuItems, OffHoursShowGreyedAbovePauseUnlessPaused) {
    TrayMenuContent content = LoadTrayMenu(MemorySettingsStore(), TrayFeatures{true, true, true});
    content.offHours = true;
    content.offHoursUntil = "Mon 09:00";
    const std::vector<std::string> head{"&Options...* #2001",
                                        "&Status... #2002",
                                        "&About... #2003",
                                        "S&tatistics... #2012",
                                        "-",
                                        "&Micropause Now! #2004",
                                        "&Exercise Now! #2005",
                                        "Rea&ding Mode #2013",
                                        "-",
                                        "Scheme (grey) #2100",
                                        "-"};
    std::vector<std::string> expected = head;
    expected.insert(expected.end(),
                    {"Off hours until Mon 09:00 (grey) #0", kPauseLine, "Sh&utdown Rilto #2006"});
    EXPECT_EQ(MenuLines(TrayMenuItems(content)), expected);

    content.offHoursUntil = "";
    expected = head;
    expected.insert(expected.end(), {"Off hours (grey) #0", kPauseLine, "Sh&utdown Rilto #2006"});
    EXPECT_EQ(MenuLines(TrayMenuItems(content)), expected);

    content.pausedUntil = "18:30";
    expected = head;
    expected.insert(expected.end(),
                    {"&Resume (paused until 18:30) #2011", "Sh&utdown Rilto #2006"});
    EXPECT_EQ(MenuLines(TrayMenuItems(content)), expected);
}

// "Rea&ding Mode" stands right below "&Exercise Now!", above the schemes' separator,
// whatever the rest shows; it carries the check mark while the mode is on, and no other
// item ever does.
TEST(TrayMenuItems, ReadingModeStandsAboveTheSchemesAndIsCheckedWhileOn) {
    TrayMenuContent content = LoadTrayMenu(MemorySettingsStore(), TrayFeatures{true, true, true});
    for (const bool paused : {false, true}) {
        content.pausedUntil = paused ? "10:15" : "";
        for (const bool on : {false, true}) {
            content.readingMode = on;
            const std::vector<std::string> lines = MenuLines(TrayMenuItems(content));
            ASSERT_GE(lines.size(), 9u);
            EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.begin() + 9),
                      (std::vector<std::string>{
                          "&Micropause Now! #2004", "&Exercise Now! #2005",
                          on ? "Rea&ding Mode (checked) #2013" : "Rea&ding Mode #2013", "-"}))
                << paused << on;
            std::size_t checked = 0;
            for (const std::string& line : lines) {
                checked += line.find("(checked)") != std::string::npos ? 1 : 0;
            }
            EXPECT_EQ(checked, on ? 1u : 0u) << paused;
        }
    }
}

// More schemes than there are ids: the items stop at the last id, and the separator and
// the items below them stay.
TEST(TrayMenuItems, SchemeItemsStopAtTheLastId) {
    TrayMenuContent content;
    content.schemes.assign(1000, "S");
    const std::vector<TrayMenuItem> items = TrayMenuItems(content);
    std::size_t schemes = 0;
    for (const TrayMenuItem& item : items) {
        schemes += item.caption == "S" ? 1 : 0;
    }
    EXPECT_EQ(schemes, 900u);
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[items.size() - 3].kind, TrayMenuItem::Kind::Separator);
    EXPECT_EQ(items[items.size() - 4].id, 2999);
    EXPECT_EQ(items.back().caption, "Sh&utdown Rilto");
}

}  // namespace
}  // namespace rilto
