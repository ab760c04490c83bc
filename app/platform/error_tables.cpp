#include "platform/error_tables.h"

#include "platform/error_codes.h"

namespace tessaly {

namespace {

// The texts are the program's own, typing slips included: users and help
// pages quote them.
constexpr std::string_view kNoMemory = "No enough memory! Please close some applications!";
constexpr std::string_view kNoMemoryColse = "No enough memory! Please colse some applications!";
constexpr std::string_view kInvalidDirectories =
    "Some directories in current index are invalid! Please rebuild index!";
constexpr std::string_view kDeviceNotReady = "Device I/O is not ready!";
// On this system an engine that cannot be loaded is a missing or broken
// library, never a lack of memory, as the original text said.
constexpr std::string_view kEngineNotLoadable = "The search engine libtyx12.so cannot be loaded!";
constexpr std::string_view kDiskNotReady = "Disk not ready!";
constexpr std::string_view kLoadFailedTables = "Fail to load file! COntack your software ventor!";
constexpr std::string_view kLoadFailedRun = "Fail to load file! Contack your software ventor!";
constexpr std::string_view kDiskFull = "Disk full! Please free some disk space!";
constexpr std::string_view kPrinterNotReady = "Printer is not ready!";
constexpr std::string_view kPrinterFault = "Printer is not working properly!";
constexpr std::string_view kSaveFailed = "Fail to save file! Please free some disk space!";

std::optional<std::string_view> folderTableText(int errorCode) {
    switch (errorCode) {
    case code::outOfMemory:
    case code::controlOutOfMemory: return kNoMemory;
    case code::libraryNotLoadable: return kEngineNotLoadable;
    case code::outOfStringSpace:
    case code::outOfStackSpace: return kNoMemoryColse;
    case code::fileNotFound:
    case code::pathNotFound: return kInvalidDirectories;
    case code::deviceIoError: return kDeviceNotReady;
    case code::deviceUnavailable:
    case code::diskNotReady: return kDiskNotReady;
    case code::richTextLoadFailed: return kLoadFailedTables;
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<std::string_view> operationErrorText(ErrorTable table, int errorCode) {
    switch (table) {
    case ErrorTable::Folders: return folderTableText(errorCode);
    case ErrorTable::Printing:
        switch (errorCode) {
        case code::diskFull: return kDiskFull;
        case code::deviceUnavailable: return kPrinterNotReady;
        case code::printerError:
        case code::printerUnsupported: return kPrinterFault;
        case code::richTextSaveFailed: return kSaveFailed;
        default: return folderTableText(errorCode);
        }
    case ErrorTable::Saving:
        switch (errorCode) {
        case code::diskFull: return kDiskFull;
        case code::richTextSaveFailed: return kSaveFailed;
        case code::deviceUnavailable: return std::nullopt;
        default: return folderTableText(errorCode);
        }
    }
    return std::nullopt;
}

std::string operationErrorMessage(std::string_view text, int errorCode) {
    // Numbers shown to the user carry a blank where a minus sign would stand.
    const std::string number = (errorCode >= 0 ? " " : "") + std::to_string(errorCode);
    return std::string(text) + " (" + number + ")";
}

RunErrorRule runErrorRule(int errorCode) {
    switch (errorCode) {
    case code::invalidArgument:
    case code::permissionDenied:
    case code::pathFileAccessError: return {RunErrorAction::NextEntry, {}};
    case code::fileNotFound: return {RunErrorAction::NextStep, {}};
    case code::outOfMemory:
    case code::controlOutOfMemory: return {RunErrorAction::Report, kNoMemory};
    case code::libraryNotLoadable: return {RunErrorAction::Report, kEngineNotLoadable};
    case code::outOfStringSpace:
    case code::outOfStackSpace: return {RunErrorAction::Report, kNoMemoryColse};
    case code::deviceIoError: return {RunErrorAction::Report, kDeviceNotReady};
    case code::diskNotReady: return {RunErrorAction::Report, kDiskNotReady};
    case code::pathNotFound: return {RunErrorAction::Report, kInvalidDirectories};
    case code::richTextLoadFailed: return {RunErrorAction::Report, kLoadFailedRun};
    default: return {RunErrorAction::Finish, {}};
    }
}

}  // namespace tessaly
