// Ending the program at once, as Abort in an error report does: no shutdown
// steps run and the settings of this run are not saved.
#pragma once

namespace tessaly {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow() = 0;
};

// The real one: leaves the process with status 0.
ProgramEnd& immediateProgramEnd();

}  // namespace tessaly
