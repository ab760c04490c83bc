// Writes and reads of the program's own data files (the settings file, the
// category file, the word file) must not fail without a word: the person
// would lose a Category or a saved word without knowing. A failure is shown
// in the Operation Error box, with the saving table's text when it has one
// for the code and otherwise with what failed on which file; Retry runs the
// step again, Ignore gives it up, Abort ends the program.
#pragma once

#include <functional>
#include <string>

#include "platform/error_codes.h"

namespace tessaly {

struct Services;

// The message for a failed data-file step.
std::string dataFileFailureMessage(const Failure& failure);
// What failed on which file, for any other file the program reads.
std::string fileFailureMessage(const Failure& failure);

// True when the step succeeded, at once or after Retry.
bool guardDataFile(Services& services, const std::function<Failure()>& step);
// The same report for a step on any file, worded by `message`.
bool guardFileStep(Services& services, const std::function<Failure()>& step,
                   const std::function<std::string(const Failure&)>& message);

}  // namespace tessaly
