// The engine as the windows reach it: loaded at the first call, with the
// failure to load kept for the run's error table (code 298).
#pragma once

#include "platform/engine_loader.h"
#include "platform/error_codes.h"

namespace tessaly {

class EngineAccess {
public:
    virtual ~EngineAccess() = default;
    // The engine's calls, or nullptr with the failure filled in.
    virtual const EngineCalls* engine(Failure& failure) = 0;
};

// The engine beside the program (or on the library path).
EngineAccess& installedEngine();

}  // namespace tessaly
