// Drives: the mount table, the drive of a directory, and the space query.

#include "filepanel/Drives.h"

#include <gtest/gtest.h>

#include <vector>

using namespace morvane::filepanel;

namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(DrivesTest, MountPointsOfRealDevicesAfterTheRoot)
{
    const char* table = "proc /proc proc rw 0 0\n"
                        "/dev/vda1 / ext4 rw 0 0\n"
                        "/dev/vdb1 /mnt/data ext4 rw 0 0\n"
                        "tmpfs /tmp tmpfs rw 0 0\n"
                        "/dev/sdc1 /media/USB\\040Stick vfat rw 0 0\n"
                        "/dev/vdb1 /mnt/data ext4 rw 0 0\n"
                        "/dev/vdc1 /home ext4 rw 0 0\n";
    EXPECT_EQ(ParseMountPoints(table), (Paths { "/", "/home", "/media/USB Stick", "/mnt/data" }));
    EXPECT_EQ(ParseMountPoints(""), (Paths { "/" }));
}

TEST(DrivesTest, TheDriveOfADirectoryIsItsLongestMountPoint)
{
    const Paths points { "/", "/home", "/home/user/disk", "/mnt/data" };
    EXPECT_EQ(DriveRootOf("/home/user/disk/x", points), "/home/user/disk");
    EXPECT_EQ(DriveRootOf("/home/user/diskette", points), "/home"); // whole components only
    EXPECT_EQ(DriveRootOf("/home", points), "/home");
    EXPECT_EQ(DriveRootOf("/usr/lib", points), "/");
    EXPECT_EQ(DriveRootOf("/mnt/data/a", Paths {}), "/");
}

TEST(DrivesTest, TheRootHasSpace)
{
    const auto space = QueryDriveSpace("/");
    ASSERT_TRUE(space.has_value());
    EXPECT_GT(space->totalBytes, 0u);
    EXPECT_LE(space->freeBytes, space->totalBytes);
    EXPECT_FALSE(QueryDriveSpace("/no/such/directory/here").has_value());
}

} // namespace
