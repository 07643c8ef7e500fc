#include "platform/linux/linux_instance_lock.h"
#include "platform/linux/linux_system_info.h"
#include "platform/linux/mounts.h"
#include "sandbox.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

TEST(Mounts, ReadMountInfoWithItsEscapesAndHiddenMounts)
{
    const std::string text = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                             "30 22 0:5 / /media/USB\\040Stick rw - vfat /dev/sdb1 rw\n"
                             "31 22 0:6 / /srv/daten rw - nfs4 server:/export rw\n"
                             "32 22 0:7 / /tmp rw - tmpfs tmpfs rw\n"
                             "33 22 0:8 / /tmp rw - ext4 /dev/sdc1 rw\n"
                             "34 22 0:9 / /proc rw - proc proc rw\n"
                             "35 22 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
                             "36 22 0:10 / /merged rw - overlay overlay rw\n";
    const std::vector<MountEntry> mounts = ParseMountInfo(text);
    ASSERT_EQ(mounts.size(), 7u);
    EXPECT_EQ(mounts[1].mountPoint, "/media/USB Stick");
    EXPECT_EQ(mounts[2].source, "server:/export");
    EXPECT_EQ(MountHolding(mounts, "/tmp/x")->source, "/dev/sdc1"); // the later mount hides the first

    auto kindAt = [&](const std::string& path, bool removable) {
        return KindOfMount(*MountHolding(mounts, path), removable);
    };
    EXPECT_EQ(kindAt("/home/anna", false), DriveKind::Fixed);
    EXPECT_EQ(kindAt("/media/USB Stick/a", true), DriveKind::Removable);
    EXPECT_EQ(kindAt("/srv/daten", false), DriveKind::Network);
    EXPECT_EQ(kindAt("/media/cd", true), DriveKind::Optical);
    EXPECT_EQ(kindAt("/proc/1", false), DriveKind::Unknown);
    EXPECT_EQ(kindAt("/merged", false), DriveKind::Fixed);
    EXPECT_EQ(KindOfMount({"/run", "tmpfs", "tmpfs"}, false), DriveKind::RamDisk);
    EXPECT_EQ(MountHolding(mounts, "/srv/datenbank")->mountPoint, "/"); // not below /srv/daten
    EXPECT_EQ(DecodeLabel("Mein\\x20Stick"), "Mein Stick");
}

TEST(SystemFacts, ParseTheSystemsFiles)
{
    const MemoryStatus memory = ParseMemInfo("MemTotal:       16000000 kB\n"
                                             "MemFree:         1000000 kB\n"
                                             "MemAvailable:    4000000 kB\n");
    EXPECT_EQ(memory.totalBytes, 16'384'000'000u);
    EXPECT_EQ(memory.availableBytes, 4'096'000'000u);
    EXPECT_EQ(memory.loadPercent, 75u);

    const OsVersion kernel = ParseKernelRelease("6.1.0-18-amd64");
    EXPECT_EQ(kernel.family, OsFamily::Linux);
    EXPECT_EQ(kernel.major, 6u);
    EXPECT_EQ(kernel.minor, 1u);
    EXPECT_EQ(DistributionName("NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n"
                               "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(DistributionName("NAME=Arch\nVERSION_ID=rolling\n"), "Arch rolling");
    EXPECT_EQ(CpuInfoMHz("processor\t: 0\ncpu MHz\t\t: 2394.454\n"), 2394);
    EXPECT_EQ(CpuInfoMHz("processor\t: 0\n"), 0);
}

TEST(SystemFacts, LabelsAreTheNamesOfTheLinksToTheirDevices)
{
    Sandbox sandbox;
    const std::string dev = sandbox.Root() + "/dev";
    Sandbox::Write(dev + "/sdb1", "");
    std::filesystem::create_directories(dev + "/by-label");
    std::filesystem::create_symlink("../sdb1", dev + "/by-label/Mein\\x20Stick");
    const auto labels = LabelsByDevice(dev + "/by-label");
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels.begin()->first, std::filesystem::canonical(dev + "/sdb1").string());
    EXPECT_EQ(labels.begin()->second, "Mein Stick");
    EXPECT_TRUE(LabelsByDevice(dev + "/fehlt").empty());
}

TEST(SystemFacts, DescribeThisMachine)
{
    LinuxSystemInfo info;
    EXPECT_FALSE(info.ComputerName().empty());
    EXPECT_FALSE(info.UserName().empty());
    const MemoryStatus memory = info.Memory();
    EXPECT_GT(memory.totalBytes, 0u);
    EXPECT_LE(memory.availableBytes, memory.totalBytes);
    ASSERT_TRUE(info.Version());
    EXPECT_EQ(info.Version()->family, OsFamily::Linux);

    const auto root = info.DriveOf("/");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->root, "/");
    EXPECT_NE(root->kind, DriveKind::NoRoot);
    const auto missing = info.DriveOf("/gibt/es/nicht"); // the drive it would be on
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->root, "/");
    EXPECT_FALSE(info.DriveOf("relativ"));
    EXPECT_GE(info.FreeBytes("/"), 0);
    EXPECT_EQ(info.FreeBytes(""), -1);
    for (const DriveInfo& drive : info.Drives()) {
        EXPECT_NE(drive.kind, DriveKind::Unknown) << drive.root;
        EXPECT_FALSE(drive.root.starts_with("/proc")) << drive.root;
    }
}

TEST(SystemFacts, TheClockIsMeasured)
{
    LinuxSystemInfo info;
    const std::int32_t mhz = info.ProcessorClockMHz();
    EXPECT_GT(mhz, 100);
    EXPECT_LT(mhz, 20000);
}

TEST(InstanceLock, IsHeldUntilItsHandleGoesAndNotAcrossProcesses)
{
    Sandbox sandbox;
    LinuxInstanceLocks locks;
    EXPECT_EQ(LinuxInstanceLocks::LockFilePath("Tapsodia"), sandbox.Root() + "/run/Tapsodia.lock");
    std::unique_ptr<InstanceLockHandle> first;
    ASSERT_EQ(locks.Acquire("Tapsodia", first), InstanceLockResult::Acquired);

    const pid_t child = fork();
    if (child == 0) {
        std::unique_ptr<InstanceLockHandle> second;
        _exit(locks.Acquire("Tapsodia", second) == InstanceLockResult::HeldElsewhere && !second ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    first.reset();
    std::unique_ptr<InstanceLockHandle> again;
    EXPECT_EQ(locks.Acquire("Tapsodia", again), InstanceLockResult::Acquired);

    sandbox.Set("XDG_RUNTIME_DIR", sandbox.Root() + "/fehlt");
    EXPECT_EQ(LinuxInstanceLocks::LockFilePath("Tapsodia"),
              sandbox.Home() + "/.cache/tapsody/Tapsodia-" + std::to_string(getuid()) + ".lock");
}
