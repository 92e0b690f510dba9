// The soak run: `tabora_soak [--seconds N] [--seed S]`. Prints its seed first; the same seed
// draws the same actions. The seed comes from --seed, else TABORA_SOAK_SEED, else the clock.
// Exit status: 0 when no fault was seen, 1 when one was, 3 when an action hung (the watchdog).

#include <QApplication>

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Runtime.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtEventLoop.h"
#include "soak/ActionLog.h"
#include "soak/OfficeJudge.h"
#include "soak/Soak.h"
#include "soak/SoakMessageBox.h"

namespace {
namespace fs = std::filesystem;

struct Options {
    uint64_t seed = 0;
    long seconds = 60;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    bool seeded = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0) {
            options.seconds = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            options.seed = std::strtoull(argv[i + 1], nullptr, 10);
            seeded = true;
        } else {
            return false;
        }
    }
    if (argc % 2 == 0 || options.seconds <= 0) return false;
    if (!seeded) {
        const char* fromEnvironment = std::getenv("TABORA_SOAK_SEED");
        options.seed = fromEnvironment != nullptr && *fromEnvironment != '\0'
                           ? std::strtoull(fromEnvironment, nullptr, 10)
                           : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }
    return true;
}

// Folders of this run alone: the server's instance folders (through XDG_RUNTIME_DIR) and the
// offices' temporary folder (through TMPDIR), so that the checks count only what this run
// started, whatever else runs on the machine.
tabora::soak::RunFolders MakeRunFolders(const fs::path& run) {
    tabora::soak::RunFolders folders{run / "runtime", run / "tmp", run / "books"};
    for (const fs::path& folder : {folders.temp, folders.books}) fs::create_directory(folder);
    mkdir(folders.temp.parent_path().c_str(), 0700);
    mkdir((run / "runtime").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", (run / "runtime").c_str(), 1);
    setenv("TMPDIR", folders.temp.c_str(), 1);
    folders.instances = run / "runtime" / ("tabora-calc-" + std::to_string(getuid()));
    return folders;
}

// Whatever the run started ends with it: its offices (which the server keeps when shown), its
// folders, and the pipes of its offices.
void EndRun(const fs::path& run, const tabora::soak::RunFolders& folders) {
    tabora::soak::Soak::EndOffices(folders.instances);
    // Offices still ending (hidden ones the server let go) write into the run's folders: wait
    // for every process whose command line names the run, and end those that linger.
    for (int round = 0; round < 60; ++round) {
        const auto lingering = tabora::soak::ProcessesNaming(run.string());
        if (lingering.empty()) break;
        for (pid_t pid : lingering) kill(pid, round < 40 ? 0 : SIGKILL);
        usleep(100'000);
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folders.instances, ec))
        fs::remove(tabora::soak::PipeSocketOf(entry.path()), ec);
    // An office that ends meanwhile removes files of its own under our feet: try again.
    for (int attempt = 0; attempt < 10 && fs::exists(run, ec); ++attempt) {
        fs::remove_all(run, ec);
        if (fs::exists(run, ec)) usleep(200'000);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--seconds N] [--seed S]\n", argv[0]);
        return 2;
    }
    std::printf("soak seed %llu (%ld s)\n", static_cast<unsigned long long>(options.seed), options.seconds);
    std::fflush(stdout);

    char runTemplate[] = "/tmp/tabora-soak-XXXXXX";
    if (mkdtemp(runTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 2;
    }
    const fs::path run = runTemplate;
    const tabora::soak::RunFolders folders = MakeRunFolders(run);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    int faults = 0;
    {
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QApplication application(qtArgc, qtArgv);
        tabora::soak::SoakMessageBox boxes;
        tabora::platform::qt::QtEventLoop events;
        tabora::platform::posix::PosixFileSystem files;
        tabora::platform::ScopedRuntime runtime({.messageBox = &boxes, .events = &events, .files = &files});
        tabora::soak::ActionLog log(options.seed, std::chrono::seconds(30), [&] { EndRun(run, folders); });
        log.ReportCrashes();
        try {
            tabora::soak::Soak soak(options.seed, folders, log, boxes);
            faults = soak.Run(std::chrono::seconds(options.seconds));
        } catch (const std::exception& e) {
            std::fprintf(stdout, "SOAK FAULT: the run stopped: %s\n%s", e.what(), log.Recent().c_str());
            faults = 1;
        }
    }
    EndRun(run, folders);
    std::printf("soak seed %llu: %s\n", static_cast<unsigned long long>(options.seed), faults == 0 ? "passed" : "FAILED");
    return faults == 0 ? 0 : 1;
}
