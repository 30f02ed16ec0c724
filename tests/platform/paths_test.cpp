#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

using shinofu::platform::Paths;

TEST(Paths, CompanionFolderFollowsTheEnvironment) {
    ::setenv("SHINOFU_HOME", "/tmp/shinofu-home", 1);
    EXPECT_EQ(Paths::companionFolder(), "/tmp/shinofu-home");
    EXPECT_EQ(Paths::companionFile(".INI"), "/tmp/shinofu-home/shinofu.INI");
    ::unsetenv("SHINOFU_HOME");
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(Paths::companionFolder(), "/tmp/xdg/shinofu");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/flute", 1);
    EXPECT_EQ(Paths::companionFolder(), "/home/flute/.config/shinofu");
}
