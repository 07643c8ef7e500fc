#include "platform/linux/linux_platform.h"

#include "platform/linux/linux_desktop.h"
#include "platform/linux/linux_files.h"
#include "platform/linux/linux_folders.h"
#include "platform/linux/linux_instance_lock.h"
#include "platform/linux/linux_registry.h"
#include "platform/linux/linux_shell.h"
#include "platform/linux/linux_system_info.h"
#include "platform/linux/x11_display.h"
#include "platform/linux/x11_focus_offers.h"
#include "platform/linux/x11_keyboard_output.h"

struct LinuxPlatform::Parts {
    LinuxRegistry registry{LinuxRegistry::DefaultStorePath()};
    LinuxFileSystem files;
    LinuxSystemFolders folders;
    LinuxShell shell;
    LinuxInstanceLocks instanceLocks;
    LinuxDesktop desktop{SharedX11Display()};
    LinuxSystemInfo systemInfo;
    std::unique_ptr<X11KeyboardOutput> keyboard =
        SharedX11Display() ? std::make_unique<X11KeyboardOutput>(SharedX11Display()) : nullptr;
    std::unique_ptr<X11FocusOffers> focusOffers =
        SharedX11Display() ? std::make_unique<X11FocusOffers>(SharedX11Display()) : nullptr;
};

LinuxPlatform::LinuxPlatform() : parts_(std::make_unique<Parts>())
{
    platform_.registry = &parts_->registry;
    platform_.files = &parts_->files;
    platform_.folders = &parts_->folders;
    platform_.shell = &parts_->shell;
    platform_.instanceLocks = &parts_->instanceLocks;
    platform_.desktop = &parts_->desktop;
    platform_.systemInfo = &parts_->systemInfo;
    platform_.keyboard = parts_->keyboard.get();
    platform_.focusOffers = parts_->focusOffers.get();
}

LinuxPlatform::~LinuxPlatform() = default;

Platform& InstallNativePlatform()
{
    static LinuxPlatform linuxPlatform;
    SetPlatform(&linuxPlatform.Get());
    return linuxPlatform.Get();
}
