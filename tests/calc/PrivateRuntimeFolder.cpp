// Each run of the Calc tests keeps its offices' instance folders in a runtime folder of its own:
// a start in a run beside it (ctest runs suites in parallel) sweeps that run's stale offices, and
// would otherwise take the folders and lock files a test here has just left for its own checks.
#include <cstdlib>

#include "support/TempDir.h"

namespace tabora::test {
namespace {

class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() { setenv("XDG_RUNTIME_DIR", folder_.Path().c_str(), 1); }

private:
    TempDir folder_;
};

const PrivateRuntimeFolder runtimeFolder;

}  // namespace
}  // namespace tabora::test
