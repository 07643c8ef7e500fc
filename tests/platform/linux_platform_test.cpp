#include "platform/linux/linux_platform.h"
#include "platform/reg_file.h"
#include "sandbox.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "services/system_log.h"

#include <gtest/gtest.h>

#include <filesystem>

// The start-up on the real system, in a sandboxed home.
TEST(LinuxPlatform, CarriesTheStartUp)
{
    Sandbox sandbox;
    LinuxPlatform linuxPlatform;
    Platform* previous = SetPlatform(&linuxPlatform.Get());
    ProgInfo = TProgInfo{};
    ProgInfo.ShortName = "Tapsodia";
    ProgInfo.Title = "Tapsody";

    StartProgram(true);

    const std::string programFolder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(ProgInfo.ProgDir, programFolder);
    EXPECT_EQ(ProgInfo.SaveDir, programFolder);
    EXPECT_EQ(ProgInfo.WindowsDir, sandbox.Home() + "/.config/");
    EXPECT_EQ(ProgInfo.ProgFilesDir, sandbox.Home() + "/.local/share/");
    EXPECT_EQ(ProgInfo.PersonalDir, sandbox.Home() + "/Documents/");
    EXPECT_EQ(ProgInfo.TempDir, sandbox.Root() + "/run/");
    EXPECT_FALSE(std::filesystem::exists(programFolder + "test.$$$"));
    EXPECT_EQ(DriveTypeOf(ProgInfo.ProgDir), DriveTypeOf("/")) << "the build folder lies on the root's drive";

    // The documents folder was written back into the user's store.
    const std::string store =
        DecodeRegFile(Sandbox::Read(sandbox.Home() + "/.config/tapsody/registry.reg")).value_or("");
    EXPECT_NE(store.find("[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                         "Folders]\r\n\"Personal\"=\"" +
                         sandbox.Home() + "/Documents/\"\r\n"),
              std::string::npos)
        << store;
    EndProgram();
    SetPlatform(previous);
}
