#include "services/system_log.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/text_helpers.h"
#include "support/messages.h"
#include "support/translation.h"

std::string LogFileNameIn(const std::string& folder)
{
    const std::string& shortName = ProgInfo.ShortName;
    const std::string name = UpperStr(shortName) != shortName ? shortName : CapitalizeWords(LowerStrDe(shortName));
    return folder + name + ".log";
}

std::string LogFileName()
{
    return LogFileNameIn(ProgInfo.SaveDir);
}

bool CreateLogFile(const std::vector<std::string>& lines)
{
    return ThePlatform().files->CreateOwnTextFile(LogFileName(), lines);
}

void LogLine(const std::string& text)
{
    if (!ProgInfo.LogEnabled)
        return;
    // A log is a help, not a duty: when it cannot be written it stops.
    if (!ThePlatform().files->AppendOwnTextFile(LogFileName(), {text}))
        ProgInfo.LogEnabled = false;
}

void ReportError(std::int32_t code, const std::string& message)
{
    std::string text = "Ok";
    if (code != 0)
        text = message.empty() ? "Allgemeiner Fehler. Nr. %s|" + NumToStr(code) : message;
    text = TranslateProgramText(text) + ".";
    LogLine(text);
    if (code < 0)
        MyMessageDlg(text, mtError, mbOK);
}

std::int32_t CpuSpeedMHz()
{
    return ThePlatform().systemInfo->ProcessorClockMHz();
}

std::uint64_t MemorySize(bool total)
{
    const MemoryStatus memory = ThePlatform().systemInfo->Memory();
    return total ? memory.totalBytes : memory.availableBytes;
}

std::uint32_t MemoryLoad()
{
    return ThePlatform().systemInfo->Memory().loadPercent;
}

std::string OSNameOf(const std::optional<OsVersion>& version)
{
    if (!version || version->family == OsFamily::Unknown)
        return "unbekannt";
    const std::string number = NumToStr(version->major) + "." + NumToStr(version->minor);
    if (version->family == OsFamily::Linux)
        return "Linux " + number + (version->distribution.empty() ? "" : " (" + version->distribution + ")");
    std::string name = number;
    if (version->family == OsFamily::Windows9x) {
        if (version->major == 4 && version->minor == 0)
            name = "95";
        else if (version->major == 4 && version->minor == 10)
            name = version->servicePack.size() >= 2 && version->servicePack[1] == 'A' ? "98 SE" : "98";
        else if (version->major == 4 && version->minor == 90)
            name = "ME";
    } else if (version->major < 5) {
        name = "NT";
    } else if (version->major == 5 && version->minor == 0) {
        name = "2000/NT 5";
    } else if (version->major == 5 && version->minor == 1) {
        name = "XP";
    }
    return "Win " + name;
}

std::string OSName()
{
    return OSNameOf(ThePlatform().systemInfo->Version());
}

std::string ScreenInfoOf(const ScreenMode& mode)
{
    std::string text =
        NumToStrDots(mode.width) + " x " + NumToStrDots(mode.height) + " " + NumToStr(mode.bitsPerPixel) + "bit";
    if (mode.refreshRate > 0)
        text += "  " + NumToStr(mode.refreshRate) + " Hz";
    return text;
}

std::string ScreenInfo()
{
    return ScreenInfoOf(ThePlatform().desktop->CurrentScreenMode());
}

std::string ComputerNameStr()
{
    const std::string name = ThePlatform().systemInfo->ComputerName();
    return name.empty() ? "-" : name;
}

std::string UserNameStr()
{
    const std::string name = ThePlatform().systemInfo->UserName();
    return name.empty() ? "-" : name;
}

std::int32_t DriveTypeOf(const std::string& path)
{
    const auto drive = ThePlatform().systemInfo->DriveOf(path);
    return static_cast<std::int32_t>(drive ? drive->kind : DriveKind::NoRoot);
}

std::string VolumeLabel(const std::string& path)
{
    const auto drive = ThePlatform().systemInfo->DriveOf(path);
    return drive ? drive->label : std::string();
}
