#include "desktop/linux/DesktopTool.h"

#include <QApplication>
#include <optional>
#include <string>
#include <vector>

#include "app/mdl_All.h"
#include "desktop/linux/DisplayPlatform.h"
#include "platform/Runtime.h"
#include "platform/posix/LocaleTextDecoder.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/process/FlockInstanceLock.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtForm.h"
#include "platform/qt/QtMessageBox.h"
#include "windows/FormDescriptions.h"

namespace tabora::desktop {

int RunDesktopTool(char* programName, const std::function<std::unique_ptr<AutomationServer>()>& makeServer) {
    platform::posix::FlockInstanceLock instances(platform::posix::DefaultInstanceLockFile());
    // Asked before the display is opened, so that a second start ends without a trace; Main
    // asks again and gets the same answer from the lock this process then holds.
    if (instances.IsAnotherInstanceRunning()) return 0;

    // Qt gets the program's name, and the display platform where the tool chooses it: no argument
    // of the user's changes what the program does.
    std::string platformOption = "-platform";
    std::optional<std::string> platform = QtPlatformFor(CurrentDisplayEnvironment());
    std::vector<char*> qtArgv{programName};
    if (platform) qtArgv.insert(qtArgv.end(), {platformOption.data(), platform->data()});
    int qtArgc = static_cast<int>(qtArgv.size());
    qtArgv.push_back(nullptr);
    QApplication application(qtArgc, qtArgv.data());
    platform::qt::PrepareApplication(windows::picture::kAppIcon);

    platform::qt::QtMessageBox messageBoxes;
    platform::qt::QtEventLoop events;
    platform::posix::PosixFileSystem files;
    platform::posix::LocaleTextDecoder legacyText(platform::posix::LocaleTextDecoder::UserLocaleCodeset());
    platform::ScopedRuntime runtime(
        {.messageBox = &messageBoxes, .events = &events, .files = &files, .legacyText = &legacyText});
    platform::qt::QtFormFactory forms;
    const std::unique_ptr<AutomationServer> server = makeServer();

    const std::unique_ptr<windows::Frm_Test> mainWindow = mdl_All::Main(instances, {forms, *server});
    if (mainWindow == nullptr || !mainWindow->IsLoaded()) return 0;
    const platform::Connection endWithMainWindow =
        mainWindow->Form().UnloadEvent.Connect([] { QCoreApplication::quit(); });
    return QApplication::exec();
}

}  // namespace tabora::desktop
