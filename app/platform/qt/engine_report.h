// The one way the windows reach the engine: loaded at its first use, and when
// it cannot be, the person is told why (Abort ends the program, Retry tries
// again, Ignore leaves what they asked for undone).
#pragma once

namespace tessaly {

class EngineAccess;
class MessageBoxes;
class ProgramEnd;
struct EngineCalls;

// The engine, or nullptr once the person has been told it cannot be loaded.
const EngineCalls* engineOrReport(EngineAccess& access, MessageBoxes& boxes, ProgramEnd& end);

}  // namespace tessaly
