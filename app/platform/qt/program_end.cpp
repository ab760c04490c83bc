#include "platform/qt/program_end.h"

#include <cstdio>
#include <cstdlib>

namespace tessaly {

namespace {

class ImmediateProgramEnd final : public ProgramEnd {
public:
    void endNow() override {
        std::fflush(nullptr);
        // Not through the event loop: closing the windows would run the
        // shutdown that saves the settings.
        std::_Exit(EXIT_SUCCESS);
    }
};

}  // namespace

ProgramEnd& immediateProgramEnd() {
    static ImmediateProgramEnd end;
    return end;
}

}  // namespace tessaly
