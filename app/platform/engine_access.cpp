#include "platform/engine_access.h"

namespace tessaly {

namespace {

class InstalledEngine final : public EngineAccess {
public:
    const EngineCalls* engine(Failure& failure) override { return loadEngine(failure); }
};

}  // namespace

EngineAccess& installedEngine() {
    static InstalledEngine engine;
    return engine;
}

}  // namespace tessaly
