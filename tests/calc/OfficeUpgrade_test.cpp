// An office upgrade on the real office: the template profile the tool copies for every instance
// was made by another build. With cache, runtime and temporary folders of its own, so that the
// user's template is never touched and what the offices leave is the test's alone.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "calc/CalcTestSupport.h"
#include "support/ScopedEnv.h"

namespace tabora::calc::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tabora::test::ScopedEnv;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The build id the installed office writes into a profile it has set up.
std::string InstalledBuildId() {
    std::string versionrc = ReadAll(fs::path(TABORA_LO_PROGRAM_DIR) / "versionrc");
    auto at = versionrc.find("\nbuildid=");
    if (at == std::string::npos) return {};
    at += 9;
    return versionrc.substr(at, versionrc.find_first_of("\r\n", at) - at);
}

std::vector<fs::path> Templates(const fs::path& cache) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(cache / "tabora", ec))
        if (entry.path().filename().string().rfind("calc-profile-", 0) == 0) found.push_back(entry.path());
    return found;
}

TEST(OfficeUpgrade, ATemplateOfAnotherBuildCostsOneRestartAndIsMadeAgain) {
    const std::string buildId = InstalledBuildId();
    ASSERT_FALSE(buildId.empty()) << "the office states no build id";
    TempDir cache, runtime, systemTemp;
    ScopedEnv cacheHome("XDG_CACHE_HOME", cache.Path().string());
    ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.Path().string());
    ScopedEnv tmpdir("TMPDIR", systemTemp.Path().string());
    // What the last build left: a template under its own key.
    const fs::path lastBuild = cache.Path() / "tabora" / "calc-profile-4-0000000000000000";
    fs::create_directories(lastBuild / "user");
    std::ofstream(lastBuild / "user" / "registrymodifications.xcu") << "<oor:items></oor:items>";

    StartedOffices offices;
    auto server = offices.MakeServer();
    server->CreateApplication()->Call(u"Quit");
    const std::vector<fs::path> made = Templates(cache.Path());
    ASSERT_EQ(made.size(), 1u) << "the last build's template is of no use any more";
    ASSERT_NE(made.front(), lastBuild);
    const fs::path buildIdFile = made.front() / "user" / "extensions" / "buildid";
    ASSERT_EQ(ReadAll(buildIdFile), buildId);

    // An upgrade the template's name did not notice: the office finds a profile of an older build,
    // sets it up again and asks to be restarted (exit 81).
    std::ofstream(buildIdFile, std::ios::trunc) << "1(Build:1)";
    ObjectRef app;
    ASSERT_NO_THROW(app = server->CreateApplication()) << "one restart, not a failed load";
    app->Put(u"DisplayAlerts", false);
    ASSERT_NO_THROW(app->GetObject(u"Workbooks")->Call(u"Add"));
    EXPECT_EQ(app->GetObject(u"Workbooks")->Get(u"Count").AsLong(), 1);
    app->Call(u"Quit");
    app.reset();
    server.reset();

    const std::vector<fs::path> remade = Templates(cache.Path());
    ASSERT_EQ(remade.size(), 1u);
    EXPECT_EQ(ReadAll(remade.front() / "user" / "extensions" / "buildid"), buildId) << "made again for this build";
    for (pid_t office : offices.All()) EXPECT_TRUE(GoneWithin(office, 5s)) << "office " << office;
    // Nothing of any instance is left, the one that asked for the restart among them.
    const fs::path instances = InstanceFolders();
    ASSERT_EQ(instances.parent_path(), runtime.Path());
    std::vector<fs::path> left;
    std::error_code ec;
    for (int i = 0; i < 50; ++i) {
        left.clear();
        for (const auto& entry : fs::directory_iterator(instances, ec)) left.push_back(entry.path());
        if (left.empty()) break;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(left.empty()) << left.front();
    // Nor anything of the offices that made the templates in the system's temporary folder.
    for (const auto& entry : fs::directory_iterator(systemTemp.Path(), ec)) ADD_FAILURE() << entry.path();
}

}  // namespace
}  // namespace tabora::calc::test
