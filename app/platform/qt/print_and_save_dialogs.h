// The printer and save-file questions of the print and save commands.
#pragma once

#include <QString>
#include <optional>

class QPrinter;

namespace tessaly {

class PrintAndSaveDialogs {
public:
    virtual ~PrintAndSaveDialogs() = default;

    // Lets the person pick and set up the printer; false when cancelled, and
    // then nothing is printed and nothing is said. A page range may be
    // chosen; Selection prints the whole text all the same, and
    // `hasSelection` only preselects it, as the person expects to see it.
    virtual bool choosePrinter(QPrinter& printer, bool hasSelection) = 0;

    // The RTF file to save to, or nothing when cancelled. A name typed without
    // extension gets ".rtf"; an existing file is only chosen after the person
    // agreed to replace it.
    virtual std::optional<QString> chooseSaveFile() = 0;
};

}  // namespace tessaly
