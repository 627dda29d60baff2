#include "shell/tray_menu_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(TrayNotifications, DoubleClickOpensSettingsAndRightButtonUpTheMenu) {
    int settings = 0;
    int menus = 0;
    TrayNotifications tray([&] { ++settings; }, [&] { ++menus; });
    for (unsigned m : {0x201u, 0x202u, 0x203u, 0x202u, 0x204u}) {  // the clicks around it
        tray.Notify(m);
    }
    EXPECT_EQ(settings, 1);
    EXPECT_EQ(menus, 0);  // pressed, not yet released
    tray.Notify(0x205);
    EXPECT_EQ(menus, 1);
}

TEST(TrayNotifications, ANotificationWhileOneIsHandledIsDropped) {
    int menus = 0;
    TrayNotifications* self = nullptr;
    TrayNotifications tray([] {},
                           [&] {
                               ++menus;
                               // Another right click while the menu is open.
                               self->Notify(0x205);
                               EXPECT_TRUE(self->Busy());
                           });
    self = &tray;
    tray.Notify(0x205);
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(tray.Busy());
    tray.Notify(0x205);  // and the next one after it closes is taken
    EXPECT_EQ(menus, 2);
}

TEST(TrayNotifications, AFailingActionLeavesItReady) {
    TrayNotifications tray([] { throw std::runtime_error("no dialog"); }, [] {});
    EXPECT_THROW(tray.Notify(0x203), std::runtime_error);
    EXPECT_FALSE(tray.Busy());
}

}  // namespace
}  // namespace rilto
